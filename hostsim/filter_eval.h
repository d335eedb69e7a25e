// How the host applies an AccountFilter to an account.
#pragma once

#include <cstdint>
#include <string>

#include "host/account_filter.h"

namespace hostsim {

// Conditions from the first to the last, left to right without precedence:
// each link (1 and, 2 or) joins the result so far with the next condition.
bool MatchesFilter(const AccountFilter& filter, std::int32_t accountCode, std::uint32_t classCode);

// The filter's conditions as text, in the order the host reads them:
// "month>=1 and month<=12 or month=18"; fields "code", "class" (in
// hexadecimal) and "month", operators "=", "<>", ">=", "<=". Empty for a
// filter without conditions.
std::string DescribeFilter(const AccountFilter& filter);

}  // namespace hostsim
