// The company name as the report writes it: every half-width character in
// its full-width (double-byte) Shift_JIS form, cut to 32 bytes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

constexpr std::size_t kFullWidthNameBytes = 32;

// ASCII 0x20-0x7E and half-width katakana become their double-byte forms; a
// half-width katakana followed by a (semi-)voiced mark becomes the one
// composed character where Shift_JIS has it (ｶﾞ -> ガ, ﾊﾟ -> パ, ｳﾞ -> ヴ),
// else both are converted on their own. Double-byte characters and other
// bytes are kept; a lead byte without its second byte at the end is dropped.
std::string ToFullWidth(std::string_view text);

// ToFullWidth, then cut to kFullWidthNameBytes without splitting a
// character.
std::string ToFullWidthName(std::string_view text);
