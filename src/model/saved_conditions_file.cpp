#include "model/saved_conditions_file.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdio>
#include <new>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/lenient_number.h"
#include "model/mapping_entry.h"
#include "model/record_text.h"
#include "model/section_frame.h"
#include "model/shift_jis_text.h"

namespace {

constexpr std::size_t kMaxUserIdBytes = 64;
constexpr const char* kConditionsLinePattern = "%d/%d/%d/%s\n";

using Lines = std::vector<std::string_view>;

// The program writes LF only; a CR can only come from an editor, and never
// belongs to a path or an id.
Lines TextLines(std::string_view bytes) {
    Lines lines;
    std::size_t from = 0;
    while (from < bytes.size()) {
        const std::size_t lf = std::min(bytes.find('\n', from), bytes.size());
        const std::string_view line = bytes.substr(from, lf - from);
        lines.push_back(line.substr(0, line.find('\r')));
        from = lf + 1;
    }
    return lines;
}

// The lines between a header line and the first terminator line after it.
// Whole lines only, so that a path or an id holding a marker's text cannot
// move a section.
bool FindSection(const Lines& lines, std::string_view header, std::size_t& first,
                 std::size_t& end) {
    const auto headerAt = std::find(lines.begin(), lines.end(), header);
    if (headerAt == lines.end()) return false;
    const auto terminatorAt =
        std::find(headerAt + 1, lines.end(), std::string_view(kSectionTerminator));
    if (terminatorAt == lines.end()) return false;
    first = static_cast<std::size_t>(headerAt + 1 - lines.begin());
    end = static_cast<std::size_t>(terminatorAt - lines.begin());
    return true;
}

// A path as the record holds it; a longer text is left out rather than cut,
// since a cut path would name another file.
std::string PathField(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    return text.size() > kMaxPathBytes ? std::string() : std::string(text);
}

// endMonth "/" taxInclusive "/" reserved "/" path; missing fields are empty.
void TakeConditionsLine(std::string_view line, AggregationConditions& conditions) {
    std::array<std::string_view, 4> fields{};
    std::size_t from = 0;
    for (std::size_t i = 0; i < fields.size() && from <= line.size(); ++i) {
        const std::size_t slash = i + 1 < fields.size() ? line.find('/', from) : line.npos;
        const std::size_t end = std::min(slash, line.size());
        fields[i] = line.substr(from, end - from);
        from = end + 1;
    }
    conditions.endMonth = LenientInt16(fields[0]);
    // The page shows only 1 as checked while the totals take any nonzero
    // value as "including tax": keep the two in agreement.
    conditions.taxInclusive = LenientDecimal(fields[1]) != 0 ? 1 : 0;
    conditions.savedPath = PathField(fields[3]);
    if (conditions.outputPath.empty()) conditions.outputPath = conditions.savedPath;
}

// itemNo "/" accountId "[END]"; false for a line that is not an entry.
bool TakeMappingLine(std::string_view line, MappingEntry& entry) {
    const std::size_t slash = line.find('/');
    if (slash == line.npos) return false;
    const std::size_t end = line.find(kMappingEntryEnd, slash + 1);
    if (end == line.npos) return false;
    entry.itemNo = LenientInt16(line.substr(0, slash));
    entry.SetAccountId(std::string(line.substr(slash + 1, end - slash - 1)));
    return true;
}

// A path that would not read back as written (a line end inside it, or
// longer than any path) is not saved at all: cut, it would name another file.
std::string PathText(const std::string& path) {
    const bool readsBack = path.find_first_of(std::string("\r\n\0", 3)) == std::string::npos &&
                           path.size() <= kMaxPathBytes;
    return readsBack ? path : std::string();
}

std::string FullPath(const std::string& folder, const AggregationConditions& conditions) {
    return folder + SavedConditionsFileName(conditions);
}

}  // namespace

std::string SavedConditionsFileName(const AggregationConditions& conditions) {
    const std::string userId = BoundedRecordText(conditions.userId, kMaxUserIdBytes);
    const int length = std::snprintf(nullptr, 0, kSavedConditionsNamePattern, userId.c_str(),
                                     conditions.selectionFirst, conditions.selectionSecond);
    std::string name(static_cast<std::size_t>(length) + 1, '\0');
    std::snprintf(name.data(), name.size(), kSavedConditionsNamePattern, userId.c_str(),
                  conditions.selectionFirst, conditions.selectionSecond);
    name.resize(static_cast<std::size_t>(length));
    return name;
}

bool IsSafeUserId(const std::string& userId) {
    if (userId == "." || userId == "..") return false;
    constexpr std::string_view kNotInAName = "\\/:*?\"<>|";
    for (std::size_t i = 0; i < userId.size();) {
        const std::size_t width = CharacterWidthAt(userId, i);
        const auto byte = static_cast<unsigned char>(userId[i]);
        if (width == 1 && (byte < 0x20 || kNotInAName.find(userId[i]) != std::string_view::npos)) {
            return false;
        }
        i += width;
    }
    return true;
}

int ParseSavedConditions(std::string_view fileBytes, AggregationConditions& conditions,
                         MappingList& currentMapping) {
    try {
        conditions.savedPath.clear();
        const Lines lines = TextLines(fileBytes);
        std::size_t first = 0;
        std::size_t end = 0;
        if (!FindSection(lines, kConditionsSectionHeader, first, end)) return 0;
        if (first < end) TakeConditionsLine(lines[first], conditions);

        if (!FindSection(lines, kMappingSectionHeader, first, end)) return 0;
        // Built aside, so that running out of memory leaves the list whole.
        MappingList mapping;
        for (std::size_t i = first; i < end; ++i) {
            MappingEntry entry;
            if (TakeMappingLine(lines[i], entry) && !mapping.Append(entry)) return 0;
        }
        currentMapping = std::move(mapping);
        return 1;
    } catch (const std::bad_alloc&) {
        return 0;
    }
}

std::string FormatSavedConditions(const AggregationConditions& conditions,
                                  const MappingList& currentMapping) {
    const std::string path =
        PathText(conditions.pathFixed != 0 ? conditions.savedPath : conditions.outputPath);
    // Three numbers of at most 11 characters, three "/", the path and "\n".
    char line[3 * 11 + 3 + kMaxPathBytes + 2];
    std::snprintf(line, sizeof line, kConditionsLinePattern, conditions.endMonth,
                  conditions.taxInclusive, 0, path.c_str());

    std::string bytes = std::string(kConditionsSectionHeader) + "\n" + line + kSectionTerminator +
                        "\n" + kMappingSectionHeader + "\n";
    for (const MappingEntry& entry : currentMapping) {
        char itemNo[16];
        std::snprintf(itemNo, sizeof itemNo, "%d/", entry.itemNo);
        bytes += itemNo;
        bytes += entry.accountId();
        bytes += kMappingEntryEnd;
        bytes += '\n';
    }
    bytes += kSectionTerminator;
    bytes += '\n';
    return bytes;
}

LoadConditionsResult LoadSavedConditions(FileSystem& files, const std::string& folder,
                                         AggregationConditions& conditions,
                                         MappingList& currentMapping) {
    conditions.savedPath.clear();
    // Without a folder the name alone would reach into the current folder.
    if (folder.empty() || !IsSafeUserId(conditions.userId)) return LoadConditionsResult::kNotLoaded;
    const std::string path = FullPath(folder, conditions);
    if (path.size() > kMaxPathBytes) return LoadConditionsResult::kNotLoaded;
    std::string bytes;
    const FileRead read = files.ReadWholeFile(path, bytes);
    if (read == FileRead::kUnreadable) return LoadConditionsResult::kUnreadable;
    if (read != FileRead::kRead) return LoadConditionsResult::kNotLoaded;
    return ParseSavedConditions(bytes, conditions, currentMapping) == 1
               ? LoadConditionsResult::kLoaded
               : LoadConditionsResult::kNotLoaded;
}

SaveConditionsResult SaveSavedConditions(FileSystem& files, const std::string& folder,
                                         const CreateFolderPathFunction& createFolderPath,
                                         const AggregationConditions& conditions,
                                         const MappingList& currentMapping) {
    if (!IsSafeUserId(conditions.userId)) return SaveConditionsResult::kUnsafeUserId;
    if (folder.empty()) return SaveConditionsResult::kNoFolder;
    if (!files.FolderExists(folder) && !(createFolderPath && createFolderPath(folder))) {
        return SaveConditionsResult::kNoFolder;
    }
    const std::string path = FullPath(folder, conditions);
    if (path.size() > kMaxPathBytes) return SaveConditionsResult::kWriteFailed;
    try {
        const std::string bytes = FormatSavedConditions(conditions, currentMapping);
        return files.ReplaceFileWhole(path, bytes) ? SaveConditionsResult::kWritten
                                                   : SaveConditionsResult::kWriteFailed;
    } catch (const std::bad_alloc&) {
        return SaveConditionsResult::kWriteFailed;
    }
}
