// Any bytes as the level file, and as the program's folder.
#include <cstddef>
#include <cstdint>
#include <string>

#include "app/launch_arguments.h"
#include "app/profile_text.h"
#include "app/program_level.h"
#include "platform/file_system.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);

    const std::string value = ReadProfileString(bytes, "ProgramLevel", "QB16_G", "1", 15);
    if (value.size() > 15) __builtin_trap();
    if (value.find('\0') != std::string::npos) __builtin_trap();
    // A name no file can hold in a section header must give the default.
    if (ReadProfileString(bytes, "\n", "\n", "d", 15) != "d") __builtin_trap();

    const int code = ProgramLevelCode(true, bytes);
    if (code < kLevelSetupInvalid || code > kLevelComponentOutdated) __builtin_trap();
    if ((ProgramLevelMessage(code) == nullptr) != (code == kLevelAccepted)) __builtin_trap();
    if (ProgramLevelCode(false, bytes) != kLevelSetupInvalid) __builtin_trap();

    const std::string path = LevelFilePath(bytes);
    const std::string name = kLevelFileName;
    if (bytes.size() > kMaxPathBytes) {
        if (!path.empty()) __builtin_trap();
    } else {
        if (path.size() > bytes.size() + 1 + name.size()) __builtin_trap();
        if (path.compare(0, bytes.size(), bytes) != 0) __builtin_trap();
        if (path.compare(path.size() - name.size(), name.size(), name) != 0) __builtin_trap();
    }
    return 0;
}
