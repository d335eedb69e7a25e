// Rules for the output path and the folders above it. Paths are code page
// 932 byte strings: every scan treats a double-byte character as one, so a
// second byte equal to '\\' (as in "表" or "ソ") or '|' (as in "ポ") is never
// taken for a separator.
#pragma once

#include <cstddef>
#include <string>

#include "model/shift_jis_text.h"
#include "platform/file_system.h"

// Appends one backslash unless the text already ends in one (a double-byte
// character never counts as one). Fails for an empty text, and when a
// backslash is needed but the text has capacity - 1 bytes or more.
bool EnsureTrailingBackslash(std::string& text, std::size_t capacity = kPathCapacity);

// The path up to and including its last backslash; empty when it has none.
std::string FolderPartOf(const std::string& path);
// The part after the last backslash; the whole path when it has none.
std::string FileNamePartOf(const std::string& path);

// Replaces `path` by its drive and directory ("C:\\a\\x.xml" gives
// "C:\\a\\"; both '\\' and '/' end a directory). Fails, leaving `path` as it
// was, when there is neither.
bool DirectoryPartOf(std::string& path);

// Splits `path` at its root: "C:\\" or "\\\\server\\share\\" (given back
// with its backslash) and what follows. False when the path has no such
// root: a relative path, "\\\\server\\share" without a backslash after the
// share, or "\\a".
bool SplitAtRoot(const std::string& path, std::string& root, std::string& rest);

// Character rules: no doubled backslash (except the two that start a
// network path), and after the drive colon none of / : , ; * ? " > < |.
bool IsValidPathText(const std::string& path);

// True when the directory part of `path` is an existing folder.
bool IsExistingDirectory(FileSystem& fileSystem, const std::string& path);

// True when the drive (by its first byte) or the network share of `path`
// may be used for the output file.
bool IsUsableDrive(FileSystem& fileSystem, const std::string& path);
// accessMode as the access test takes it: 0 exists, 6 read and write.
bool IsUsableDriveLetter(FileSystem& fileSystem, char letter, int accessMode);
