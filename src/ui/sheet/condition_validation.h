// The checks that "実行(F12)" runs before the sheet may end: the period
// against the fiscal year and the introduction month, then the output path
// by its text, drive, folder and file.
#pragma once

#include <functional>

#include "model/aggregation_conditions.h"

class FileSystem;
class Host;
class SheetView;

// The checks' messages, in the order the checks run.
struct ConditionMessages {
    static const char kWrongPeriod[];
    static const char kBeforeIntroduction[];
    static const char kNoOutputPath[];
    static const char kInvalidCharacter[];
    static const char kInvalidDrive[];
    static const char kNoFileName[];
    static const char kCreateFolder[];
    static const char kFolderNotCreated[];
    static const char kOverwriteFile[];
    static const char kOutputReadOnly[];
    static const char kOutputInUse[];
};

// Runs the checks in order. The first that fails tells the user, brings
// page 1 forward with the focus in the field concerned (IDE_END_MONTH or
// IDE_OUTPUT_PATH; with no path at all it calls `browseOutputFile` instead)
// and gives false. The record is not changed; folders the user agreed to
// create stay.
// Shows `message` as an error and brings page 1 forward with the focus in
// the field `fieldId`.
void Refuse(SheetView& view, const char* message, int fieldId);

bool ValidateConditions(Host& host, const AggregationConditions& conditions, FileSystem& fileSystem,
                        SheetView& view, const std::function<void()>& browseOutputFile);
