// The text frame the program's data files share: anything before a
// bracketed header line, the header, body lines ending in "\n", and the
// terminator "[終了]".
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The section both edition files read, and the end marker of every section.
inline const char kCommonSectionHeader[] = "[共通様式]";
inline const char kSectionTerminator[] = "[終了]";

// From the header's first byte to the terminator's first byte; the length
// is a signed 16-bit number in the files' design.
constexpr std::size_t kMaxSectionBytes = 32767;
// A body line with its "\n".
constexpr std::size_t kMaxBodyLineBytes = 255;

// The body of the section that starts at the first `header` in `fileBytes`:
// the bytes after the header and the two line-end bytes that follow it, up
// to the first terminator after the header. False when the header or the
// terminator is missing or the section is longer than kMaxSectionBytes.
// All other bytes, NUL included, are ordinary bytes.
bool FindSectionBody(std::string_view fileBytes, std::string_view header, std::string& body);

// The body's lines, each up to and including its "\n", in order. Text after
// the last "\n" is not a line. Lines longer than kMaxBodyLineBytes are left
// out, so no reader ever sees one.
std::vector<std::string_view> BodyLines(std::string_view body);
