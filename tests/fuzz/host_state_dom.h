// The host state reader on the nlohmann DOM that the stand-in had before
// its own JSON reader; compared with it input by input.
#pragma once

#include <string>

#include "hostsim/host_state.h"

namespace hostsim {

StateParseResult ParseHostStateDom(const std::string& json, HostState& state,
                                   StateParseError& error);

}  // namespace hostsim
