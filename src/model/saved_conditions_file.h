// The user's choices of the sheet (end month, tax option, output path and
// the whole account mapping), kept per user and dataset for the next run.
// Reading and formatting work on bytes; loading and saving add the files.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "model/aggregation_conditions.h"
#include "model/mapping_list.h"
#include "platform/file_system.h"

inline const char kSavedConditionsNamePattern[] = "QB16_G_%s_%d_%d.env";
inline const char kConditionsSectionHeader[] = "[P1]";
inline const char kMappingSectionHeader[] = "[P2/P3]";
inline const char kMappingEntryEnd[] = "[END]";

// "QB16_G_<userId>_<selectionFirst>_<selectionSecond>.env".
std::string SavedConditionsFileName(const AggregationConditions& conditions);

// Whether the user id can stand inside that file name: no \ / : * ? " < > |
// and no control character (a trail byte of a double-byte character is
// none of them), and not "." or ".." alone. Another id would name a stream
// of another file or a file outside the folder; its conditions are neither
// read nor written.
bool IsSafeUserId(const std::string& userId);

// Takes the file's conditions and mapping into the record and the list:
// `savedPath` (cleared first), `endMonth`, `taxInclusive` (0 or 1), and
// `outputPath` when it is still empty; then `currentMapping`, replaced as a
// whole. Markers count only as whole lines, and a line's text ends at its
// first CR. Returns 1 when both sections were found with their "[終了]":
// - without the conditions section nothing is taken;
// - without the mapping section the conditions are taken and
//   `currentMapping` is left as it was.
// Only the mapping section's own lines are read; a line without "/" or
// "[END]" is skipped, and an account id is cut to its 34 bytes.
int ParseSavedConditions(std::string_view fileBytes, AggregationConditions& conditions,
                         MappingList& currentMapping);

// The whole file. The path written is `savedPath` when the host preset the
// output path (`pathFixed`), so the preset never replaces the user's own
// choice. A path that would not read back as written (a CR, LF or NUL in
// it, or more than 260 bytes) is written as an empty path, never cut.
std::string FormatSavedConditions(const AggregationConditions& conditions,
                                  const MappingList& currentMapping);

enum class LoadConditionsResult {
    // Both sections found with their "[終了]" (ParseSavedConditions gave 1).
    kLoaded,
    // No file, a damaged one, no folder or an unsafe user id: the sheet
    // takes the defaults.
    kNotLoaded,
    // The file is there but cannot be read (held by another program, its
    // server away): the defaults would be saved over the user's choices.
    kUnreadable,
};

// Clears `savedPath`, then parses the file in `folder` (folder and file
// name joined without a separator).
LoadConditionsResult LoadSavedConditions(FileSystem& files, const std::string& folder,
                                         AggregationConditions& conditions,
                                         MappingList& currentMapping);

enum class SaveConditionsResult {
    kWritten,
    // No folder named, or it is missing and could not be created: nothing
    // was written, and the user is not told.
    kNoFolder,
    // The folder exists but the file could not be written; an earlier file
    // is unchanged. The user should be warned.
    kWriteFailed,
    // The user id cannot stand in a file name: nothing was written (the
    // user was told when the sheet opened).
    kUnsafeUserId,
};

// Creates a missing folder level by level, removing again what it created
// when a level fails; true when the folder then exists.
using CreateFolderPathFunction = std::function<bool(const std::string& folder)>;

// Writes the whole file in place of the earlier one, replacing it only once
// the new one is complete.
SaveConditionsResult SaveSavedConditions(FileSystem& files, const std::string& folder,
                                         const CreateFolderPathFunction& createFolderPath,
                                         const AggregationConditions& conditions,
                                         const MappingList& currentMapping);
