#include "app/program_level.h"

#include <cstddef>
#include <cstdint>
#include <string>

#include "app/profile_text.h"
#include "model/lenient_number.h"
#include "model/shift_jis_text.h"
#include "platform/file_system.h"

namespace {

constexpr const char* kLevelSection = "ProgramLevel";
constexpr const char* kLevelKey = "QB16_G";
// An installation whose file does not name a level accepts ours.
constexpr const char* kLevelDefault = "1";
// The value is read into a 16-byte buffer.
constexpr std::size_t kLevelValueMaxChars = 15;

// The path is built in a buffer of this many bytes, terminator included.
// The longest folder still leaves room for the separator and the name, so
// the separator is never left out for lack of room.
constexpr std::size_t kLevelPathBufferBytes = 517;
static_assert(kMaxPathBytes + 1 + std::char_traits<char>::length(kLevelFileName) + 1 <=
                  kLevelPathBufferBytes,
              "the level file's path must fit its buffer");

}  // namespace

std::string LevelFilePath(const std::string& currentFolder) {
    if (currentFolder.size() > kMaxPathBytes) return std::string();
    std::string path = currentFolder;
    // A folder ending in "ソ" (0x83 0x5C) still needs its own separator.
    if (!path.empty() && !EndsWithSingleByte(path, '\\')) path += '\\';
    path += kLevelFileName;
    return path;
}

int ProgramLevelCode(bool fileExists, const std::string& fileBytes) {
    if (!fileExists) return kLevelSetupInvalid;
    const std::string value =
        ReadProfileString(fileBytes, kLevelSection, kLevelKey, kLevelDefault, kLevelValueMaxChars);
    if (value.empty()) return kLevelSetupInvalid;
    const std::int64_t level = ReadLeadingDecimal(value);
    if (level == kProgramLevel) return kLevelAccepted;
    return level > kProgramLevel ? kLevelComponentOutdated : kLevelPackageOutdated;
}

const char* ProgramLevelMessage(int code) {
    switch (code) {
        case kLevelSetupInvalid:
            return "動作環境が不正です。\n"
                   "ES_APRPACKAGENAMEが正しくインストールされているか確認してください。";
        case kLevelPackageOutdated:
            return "ご利用の連動コンポーネントは、"
                   "インストールされているES_APRPACKAGENAMEでは使用できません。\n"
                   "ES_APRPACKAGENAMEの最新版を入手してインストールしてからご利用ください。";
        case kLevelComponentOutdated:
            return "ご利用の連動コンポーネントは、"
                   "インストールされているES_APRPACKAGENAMEでは使用できません。\n"
                   "連動コンポーネントの最新版を入手してインストールしてからご利用ください。";
        default:
            return nullptr;
    }
}
