// The level check at start-up: does the installed application accept this
// linkage component's level? The decisions only; reading the folder and the
// file and showing the message is the application object's part.
#pragma once

#include <string>

// This component's own level.
constexpr int kProgramLevel = 1;

// The level file, in the program's folder.
constexpr const char* kLevelFileName = "KodamaDef.ini";

// Outcome codes of the check.
constexpr int kLevelSetupInvalid = -1;      // no level file, or an empty value
constexpr int kLevelAccepted = 0;           // the value is this component's level
constexpr int kLevelPackageOutdated = 1;    // a lower level, or not a number
constexpr int kLevelComponentOutdated = 2;  // a higher level

// `currentFolder`, a backslash unless it already ends in one, and the level
// file's name; just the name when the folder is empty. A folder longer than
// kMaxPathBytes gives "": such a folder cannot have been read whole, and
// the check counts the file as missing rather than read it from a cut-off
// folder that may be another one.
std::string LevelFilePath(const std::string& currentFolder);

// The outcome for the level file's bytes (ignored when it does not exist).
int ProgramLevelCode(bool fileExists, const std::string& fileBytes);

// The message shown for a refusing code, in Shift_JIS; nullptr for
// kLevelAccepted (and for any value that is not a code).
const char* ProgramLevelMessage(int code);
