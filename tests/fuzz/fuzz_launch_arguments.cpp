// Any bytes as the host's command line.
#include <cstddef>
#include <cstdint>
#include <string>

#include "app/launch_arguments.h"
#include "platform/file_system.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string line(reinterpret_cast<const char*>(data), size);
    LaunchArguments arguments;
    const int complete = ReadLaunchArguments(line, arguments);
    if (complete != 0 && complete != 1) __builtin_trap();
    if (arguments.presetOutputPath.size() > kMaxPathBytes) __builtin_trap();
    if (complete == 0 && !arguments.presetOutputPath.empty()) __builtin_trap();
    return 0;
}
