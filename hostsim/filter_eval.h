// How the host applies an AccountFilter to an account.
#pragma once

#include <cstdint>

#include "host/account_filter.h"

namespace hostsim {

// Conditions from the first to the last, left to right without precedence:
// each link (1 and, 2 or) joins the result so far with the next condition.
bool MatchesFilter(const AccountFilter& filter, std::int32_t accountCode, std::uint32_t classCode);

}  // namespace hostsim
