// How the stand-in's fiscal calendar works out a dataset's closing day.
#pragma once

#include <cstdint>

namespace hostsim {

// The closing day of books whose period ends on `date` (yyyymmdd): 0 when
// the date is the last day of its month (books closed at month end), else
// the date's day.
std::int32_t CutoffDayOfEndDate(std::int32_t date);

}  // namespace hostsim
