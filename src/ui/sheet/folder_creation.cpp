#include "ui/sheet/folder_creation.h"

#include <cstddef>
#include <vector>

#include "platform/file_system.h"
#include "ui/sheet/path_rules.h"

namespace {

// Position of every single-byte backslash of `text`, in order.
std::vector<std::size_t> BackslashPositions(const std::string& text) {
    std::vector<std::size_t> positions;
    for (std::size_t i = FindSingleByte(text, "\\"); i != std::string::npos;
         i = FindSingleByte(text, "\\", i + 1)) {
        positions.push_back(i);
    }
    return positions;
}

// The folder above `level`, with its trailing backslash.
bool ParentFolderOf(std::string level, std::string& parent) {
    if (EndsWithSingleByte(level, '\\')) level.pop_back();
    if (!DirectoryPartOf(level) || !EnsureTrailingBackslash(level)) return false;
    parent = level;
    return true;
}

}  // namespace

bool CreateFolderPath(FileSystem& fileSystem, const std::string& folder) {
    std::string target = folder;
    if (!DirectoryPartOf(target) || !EnsureTrailingBackslash(target)) return false;
    std::string root;
    std::string rest;
    if (!SplitAtRoot(target, root, rest)) return false;
    std::string lastExisting = root;
    for (const std::size_t end : BackslashPositions(rest)) {
        std::string level = root + rest.substr(0, end);
        const bool sized = EnsureTrailingBackslash(level);
        if (sized && IsExistingDirectory(fileSystem, level)) {
            lastExisting = level;
        } else if (!sized || !fileSystem.CreateFolder(level)) {
            RemoveCreatedFolders(fileSystem, level, lastExisting);
            return false;
        }
    }
    // A bare root ("Q:\\" on a letter without a volume) has no level to
    // create: success only when the folder is really there.
    return IsExistingDirectory(fileSystem, target);
}

bool RemoveCreatedFolders(FileSystem& fileSystem, const std::string& failedLevel,
                          const std::string& lastExisting) {
    std::string above = failedLevel;
    std::string kept = lastExisting;
    if (!ParentFolderOf(failedLevel, above) || !DirectoryPartOf(kept) ||
        !EnsureTrailingBackslash(kept)) {
        return false;
    }
    std::string aboveRoot, aboveRest, keptRoot, keptRest;
    if (!SplitAtRoot(above, aboveRoot, aboveRest) || !SplitAtRoot(kept, keptRoot, keptRest))
        return false;
    if (!SameIgnoringCase(aboveRoot, keptRoot) || keptRest.size() > aboveRest.size() ||
        !SameIgnoringCase(keptRest, aboveRest.substr(0, keptRest.size()))) {
        return false;
    }
    const std::vector<std::size_t> ends = BackslashPositions(aboveRest);
    for (auto end = ends.rbegin(); end != ends.rend(); ++end) {
        // lastExisting reached: it and everything above it stay.
        if (*end < keptRest.size()) break;
        const std::string level = aboveRoot + aboveRest.substr(0, *end + 1);
        if (IsExistingDirectory(fileSystem, level) && !fileSystem.RemoveFolder(level)) return false;
    }
    return true;
}
