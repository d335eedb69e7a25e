#include "app/launch_arguments.h"

#include <cstdint>
#include <limits>
#include <string>

std::int64_t ReadLeadingDecimal(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    std::uint64_t magnitude = 0;
    const std::uint64_t limit =
        static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        const auto digit = static_cast<std::uint64_t>(text[i] - '0');
        magnitude = magnitude > (limit - digit) / 10 ? limit : magnitude * 10 + digit;
    }
    const auto value = static_cast<std::int64_t>(magnitude);
    return negative ? -value : value;
}

namespace {

// Cuts the next comma-terminated part off `rest`; false when no comma is left.
bool CutAtComma(std::string& rest, std::string& part) {
    const std::size_t comma = rest.find(',');
    if (comma == std::string::npos) return false;
    part = rest.substr(0, comma);
    rest.erase(0, comma + 1);
    return true;
}

}  // namespace

int ReadLaunchArguments(const std::string& commandLine, LaunchArguments& arguments) {
    if (commandLine.empty()) return 0;
    std::string rest = commandLine;
    std::string part;
    if (!CutAtComma(rest, part)) return 0;
    arguments.hostWindow = ReadLeadingDecimal(part);
    if (!CutAtComma(rest, part)) return 0;
    arguments.notifyMessage = static_cast<std::int32_t>(ReadLeadingDecimal(part));
    if (!CutAtComma(rest, part)) return 0;
    arguments.functionId = static_cast<std::int16_t>(ReadLeadingDecimal(part));
    // A path that no path buffer can hold is not preset at all: cutting it
    // would make the program write a file the host did not name.
    if (rest.size() <= kMaxPathBytes) arguments.presetOutputPath = rest;
    return 1;
}
