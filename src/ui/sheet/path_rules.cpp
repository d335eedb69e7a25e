#include "ui/sheet/path_rules.h"

#include "model/shift_jis_text.h"
#include "platform/file_system.h"

namespace {

bool HasDoubledBackslash(const std::string& text, std::size_t from) {
    for (std::size_t i = FindSingleByte(text, "\\", from); i != std::string::npos;
         i = FindSingleByte(text, "\\", i + 1)) {
        if (i + 1 < text.size() && text[i + 1] == '\\') return true;
    }
    return false;
}

bool IsNetworkPath(const std::string& path) {
    return path.size() >= 2 && path[0] == '\\' && path[1] == '\\';
}

bool HasDriveColon(const std::string& path) {
    return path.size() >= 2 && path[1] == ':' && CharacterWidthAt(path, 0) == 1;
}

}  // namespace

bool EnsureTrailingBackslash(std::string& text, std::size_t capacity) {
    if (text.empty()) return false;
    if (EndsWithSingleByte(text, '\\')) return true;
    if (text.size() + 1 >= capacity) return false;
    text += '\\';
    return true;
}

std::string FolderPartOf(const std::string& path) {
    const std::size_t last = FindLastSingleByte(path, "\\");
    return last == std::string::npos ? std::string() : path.substr(0, last + 1);
}

std::string FileNamePartOf(const std::string& path) {
    const std::size_t last = FindLastSingleByte(path, "\\");
    return last == std::string::npos ? path : path.substr(last + 1);
}

bool DirectoryPartOf(std::string& path) {
    const std::size_t driveLength = HasDriveColon(path) ? 2 : 0;
    const std::size_t last = FindLastSingleByte(path, "\\/");
    const std::size_t directoryEnd =
        last == std::string::npos || last < driveLength ? driveLength : last + 1;
    std::string result = path.substr(0, directoryEnd);
    if (result.empty()) return false;
    if (!EndsWithSingleByte(result, '\\') && result.size() < path.size()) result += '\\';
    path = result;
    return true;
}

bool SplitAtRoot(const std::string& path, std::string& root, std::string& rest) {
    std::size_t rootLength = 0;
    if (IsNetworkPath(path)) {
        const std::size_t server = FindSingleByte(path, "\\", 2);
        const std::size_t share =
            server == std::string::npos ? server : FindSingleByte(path, "\\", server + 1);
        if (share == std::string::npos) return false;
        rootLength = share + 1;
    } else if (HasDriveColon(path) && path.size() >= 3 && path[2] == '\\') {
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
    if (IsNetworkPath(path)) {
        if (HasDoubledBackslash(path, 3)) return false;
        checkFrom = 2;
    } else {
        if (HasDoubledBackslash(path, 0)) return false;
        const std::size_t colon = FindSingleByte(path, ":");
        if (colon != std::string::npos) checkFrom = colon + 1;
    }
    return FindSingleByte(path, "/:,;*?\"><|", checkFrom) == std::string::npos;
}

bool IsExistingDirectory(FileSystem& fileSystem, const std::string& path) {
    if (path.empty()) return false;
    std::string directory = path;
    DirectoryPartOf(directory);
    return fileSystem.FolderExists(directory);
}

bool IsUsableDrive(FileSystem& fileSystem, const std::string& path) {
    if (IsNetworkPath(path)) {
        const std::size_t server = FindSingleByte(path, "\\", 3);
        const std::size_t share =
            server == std::string::npos ? server : FindSingleByte(path, "\\", server + 1);
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
