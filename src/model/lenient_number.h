// Numbers as the host's command line and the program's data files write
// them, read leniently: leading blanks skipped, an optional sign, digits up
// to the first byte that does not belong to the number. Empty or
// non-numeric text gives 0; nothing is ever an error.
#pragma once

#include <cstdint>
#include <string_view>

// Decimal; values beyond 64 bits saturate instead of overflowing.
std::int64_t ReadLeadingDecimal(std::string_view text);
// Decimal, saturated to the 32-bit range.
std::int32_t LenientDecimal(std::string_view text);
// Decimal kept in 16 bits (wrapped), as item numbers are.
std::int16_t LenientInt16(std::string_view text);
// Hexadecimal, with or without a "0x" prefix; beyond 32 bits it saturates,
// and a minus sign wraps it.
std::uint32_t LenientHex(std::string_view text);
