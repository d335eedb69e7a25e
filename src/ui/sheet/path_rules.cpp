#include "ui/sheet/path_rules.h"

#include <cstring>

#include "model/shift_jis_text.h"
#include "platform/file_system.h"

namespace {

bool IsTrailByte(unsigned char byte) {
    return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFC);
}

// 2 when a double-byte character starts at `index`, else 1.
std::size_t CharWidthAt(const std::string& text, std::size_t index) {
    const bool pair = IsShiftJisLeadByte(static_cast<unsigned char>(text[index])) &&
                      index + 1 < text.size() &&
                      IsTrailByte(static_cast<unsigned char>(text[index + 1]));
    return pair ? 2 : 1;
}

// Position of the first single-byte `wanted` at or after `from`, or npos.
std::size_t FindChar(const std::string& text, char wanted, std::size_t from = 0) {
    for (std::size_t i = 0; i < text.size(); i += CharWidthAt(text, i)) {
        if (i >= from && CharWidthAt(text, i) == 1 && text[i] == wanted) return i;
    }
    return std::string::npos;
}

std::size_t FindLastChar(const std::string& text, const char* wanted) {
    std::size_t found = std::string::npos;
    for (std::size_t i = 0; i < text.size(); i += CharWidthAt(text, i)) {
        if (CharWidthAt(text, i) == 1 && std::strchr(wanted, text[i]) != nullptr) found = i;
    }
    return found;
}

bool HasDoubledBackslash(const std::string& text, std::size_t from) {
    for (std::size_t i = 0; i < text.size(); i += CharWidthAt(text, i)) {
        if (i >= from && text[i] == '\\' && i + 1 < text.size() && text[i + 1] == '\\') return true;
    }
    return false;
}

bool EndsInBackslash(const std::string& text) {
    return !text.empty() && text.back() == '\\' && !IsDoubleByteAt(text, text.size() - 1);
}

}  // namespace

bool IsDoubleByteAt(const std::string& text, std::size_t index) {
    for (std::size_t i = 0; i < text.size() && i <= index;) {
        const std::size_t width = CharWidthAt(text, i);
        if (width == 2 && (index == i || index == i + 1)) return true;
        i += width;
    }
    return false;
}

bool EnsureTrailingBackslash(std::string& text, std::size_t capacity) {
    if (text.empty()) return false;
    if (EndsInBackslash(text)) return true;
    if (text.size() + 1 >= capacity) return false;
    text += '\\';
    return true;
}

std::string FolderPartOf(const std::string& path) {
    const std::size_t last = FindLastChar(path, "\\");
    return last == std::string::npos ? std::string() : path.substr(0, last + 1);
}

std::string FileNamePartOf(const std::string& path) {
    const std::size_t last = FindLastChar(path, "\\");
    return last == std::string::npos ? path : path.substr(last + 1);
}

bool DirectoryPartOf(std::string& path) {
    const bool hasDrive = path.size() >= 2 && path[1] == ':' && CharWidthAt(path, 0) == 1;
    const std::size_t driveLength = hasDrive ? 2 : 0;
    const std::size_t last = FindLastChar(path, "\\/");
    const std::size_t directoryEnd =
        last == std::string::npos || last < driveLength ? driveLength : last + 1;
    std::string result = path.substr(0, directoryEnd);
    if (result.empty()) return false;
    if (!EndsInBackslash(result) && result.size() < path.size()) result += '\\';
    path = result;
    return true;
}

bool SplitAtRoot(const std::string& path, std::string& root, std::string& rest) {
    std::size_t rootLength = 0;
    if (path.size() >= 2 && path[0] == '\\' && path[1] == '\\') {
        const std::size_t server = FindChar(path, '\\', 2);
        const std::size_t share =
            server == std::string::npos ? server : FindChar(path, '\\', server + 1);
        if (share == std::string::npos) return false;
        rootLength = share + 1;
    } else if (path.size() >= 3 && CharWidthAt(path, 0) == 1 && path[1] == ':' && path[2] == '\\') {
        rootLength = 3;
    } else {
        return false;
    }
    root = path.substr(0, rootLength);
    rest = path.substr(rootLength);
    return true;
}

bool IsValidPathText(const std::string& path) {
    std::size_t checkFrom = 0;
    if (path.size() >= 2 && path[0] == '\\' && path[1] == '\\') {
        if (HasDoubledBackslash(path, 3)) return false;
        checkFrom = 2;
    } else {
        if (HasDoubledBackslash(path, 0)) return false;
        const std::size_t colon = FindChar(path, ':');
        if (colon != std::string::npos) checkFrom = colon + 1;
    }
    for (std::size_t i = 0; i < path.size(); i += CharWidthAt(path, i)) {
        if (i >= checkFrom && CharWidthAt(path, i) == 1 &&
            std::strchr("/:,;*?\"><|", path[i]) != nullptr && path[i] != '\0') {
            return false;
        }
    }
    return true;
}

bool IsExistingDirectory(FileSystem& fileSystem, const std::string& path) {
    if (path.empty()) return false;
    std::string directory = path;
    DirectoryPartOf(directory);
    return fileSystem.FolderExists(directory);
}

bool IsUsableDrive(FileSystem& fileSystem, const std::string& path) {
    if (path.size() >= 2 && path[0] == '\\' && path[1] == '\\') {
        const std::size_t server = FindChar(path, '\\', 3);
        const std::size_t share =
            server == std::string::npos ? server : FindChar(path, '\\', server + 1);
        if (share == std::string::npos) return false;
        return fileSystem.Accessible(path.substr(0, share), 6);
    }
    if (path.empty() || HasDoubledBackslash(path, 1)) return false;
    return IsUsableDriveLetter(fileSystem, path[0], 6);
}

bool IsUsableDriveLetter(FileSystem& fileSystem, char letter, int accessMode) {
    char drive = letter;
    if (drive >= 'a' && drive <= 'z') drive = static_cast<char>(drive - 'a' + 'A');
    if (drive < 'A' || drive > 'Z') return false;
    const std::string root = std::string(1, drive) + ":\\";
    switch (fileSystem.DriveType(root)) {
        case FileSystem::kDriveUnknown:
        case FileSystem::kDriveCdRom:
        case FileSystem::kDriveRamDisk:
            return false;
        case FileSystem::kDriveRemovable:
        case FileSystem::kDriveFixed:
        case FileSystem::kDriveRemote:
            return fileSystem.Accessible(root, accessMode);
        default:
            // A letter without a volume, and types not known here, are
            // left to the folder and file checks that follow.
            return true;
    }
}
