#include "model/grouped_digits.h"

std::string GroupedDigits(std::uint64_t magnitude) {
    std::string digits = std::to_string(magnitude);
    for (std::size_t at = digits.size(); at > 3; at -= 3)
        digits.insert(at - 3, ",");
    return digits;
}

std::string GroupedInteger(std::int64_t value) {
    // In unsigned arithmetic, so that the lowest value has a magnitude too.
    const std::uint64_t magnitude =
        value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    return (value < 0 ? "-" : "") + GroupedDigits(magnitude);
}
