#include "app/launch_arguments.h"

#include <cstdint>
#include <string>

#include "model/lenient_number.h"
#include "platform/file_system.h"

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
    if (rest.size() <= kMaxPathBytes) {
        arguments.presetOutputPath = rest;
    } else {
        arguments.presetPathTooLong = true;
    }
    return 1;
}
