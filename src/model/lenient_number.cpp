#include "model/lenient_number.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string_view>

namespace {

constexpr std::uint64_t kHexMagnitudeLimit = std::uint64_t{1} << 32;

// The blanks of the C library's number conversions.
bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Skips leading blanks and an optional sign; returns the position after them.
std::size_t SkipBlanksAndSign(std::string_view text, bool& negative) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    return i;
}

}  // namespace

std::int64_t ReadLeadingDecimal(std::string_view text) {
    bool negative = false;
    std::size_t i = SkipBlanksAndSign(text, negative);
    constexpr auto kLimit = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    std::uint64_t magnitude = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        const auto digit = static_cast<std::uint64_t>(text[i] - '0');
        magnitude = magnitude > (kLimit - digit) / 10 ? kLimit : magnitude * 10 + digit;
    }
    const auto value = static_cast<std::int64_t>(magnitude);
    return negative ? -value : value;
}

std::int32_t LenientDecimal(std::string_view text) {
    return static_cast<std::int32_t>(
        std::clamp<std::int64_t>(ReadLeadingDecimal(text), std::numeric_limits<std::int32_t>::min(),
                                 std::numeric_limits<std::int32_t>::max()));
}

std::int16_t LenientInt16(std::string_view text) {
    const auto low =
        static_cast<std::int32_t>(static_cast<std::uint32_t>(LenientDecimal(text)) & 0xFFFFu);
    return static_cast<std::int16_t>(low >= 0x8000 ? low - 0x10000 : low);
}

std::uint32_t LenientHex(std::string_view text) {
    bool negative = false;
    std::size_t i = SkipBlanksAndSign(text, negative);
    if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        i += 2;
    }
    std::uint64_t magnitude = 0;
    for (; i < text.size() && HexDigitValue(text[i]) >= 0; ++i) {
        magnitude =
            std::min<std::uint64_t>(magnitude * 16 + HexDigitValue(text[i]), kHexMagnitudeLimit);
    }
    if (magnitude >= kHexMagnitudeLimit) return UINT32_MAX;
    const auto value = static_cast<std::uint32_t>(magnitude);
    return negative ? 0u - value : value;
}
