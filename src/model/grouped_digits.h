// Whole numbers as the screen and the detail show amounts: digits in
// groups of three, "1,234,567".
#pragma once

#include <cstdint>
#include <string>

// The digits of `magnitude` with a comma before every three from the right.
std::string GroupedDigits(std::uint64_t magnitude);
// The same with "-" before a number below zero.
std::string GroupedInteger(std::int64_t value);
