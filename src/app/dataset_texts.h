// Page 1's display lines about the open dataset.
#pragma once

#include <cstdint>
#include <string>

// " <company>" in 51 bytes with its terminator: a name longer than 49
// bytes is cut at a character boundary.
std::string CompanyDisplayText(const std::string& companyName);

// " yyyy/mm/dd～yyyy/mm/dd" from two yyyymmdd numbers.
std::string PeriodDisplayText(std::int32_t periodStart, std::int32_t periodEnd);
