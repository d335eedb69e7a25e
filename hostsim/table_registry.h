#pragma once

#include <cstdint>

#include "host/host_api.h"

class ClTableBase;

namespace hostsim {

// The table object of a kind (TableKind), or null for an unknown kind.
LDG_BCORE_API ClTableBase* TableOfKind(std::int32_t kind);

}  // namespace hostsim
