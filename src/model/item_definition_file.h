// The edition's item definition file: which items the statement has, with
// their numbers, sides, account classes, names and XML keys. Also the text
// frame and the number conversions that the program's data files share.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/item_catalogue.h"

// The section both edition files read, and the end marker of every section.
inline const char kCommonSectionHeader[] = "[共通様式]";
inline const char kSectionTerminator[] = "[終了]";

// From the header's first byte to the terminator's first byte; the length
// is a signed 16-bit number in the file's design.
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

// Lenient conversions as the files need them: leading blanks skipped, an
// optional sign, and conversion stops at the first byte that does not belong
// to the number, so empty or non-numeric text gives 0. Values beyond the
// 32-bit range saturate; a minus sign on a hexadecimal number wraps it.
std::int32_t LenientDecimal(std::string_view text);
// The decimal value kept in 16 bits (wrapped), as item numbers are.
std::int16_t LenientInt16(std::string_view text);
// Hexadecimal, with or without a "0x" prefix.
std::uint32_t LenientHex(std::string_view text);

// The whole file as bytes. False when it cannot be opened or read.
bool ReadDataFileBytes(const std::string& path, std::string& bytes);

// Replaces `itemCatalogue` by the items of the file's "[共通様式]" section,
// in file order. 1 on success. 0 when the frame is missing or too long, and
// `itemCatalogue` is left as it was; 0 also when memory runs out, and the
// items appended so far stay. Lines without all four "/" and a ";" after
// them, with more than ten class codes, or with a name or key longer than
// its field are skipped. Fails silently.
int LoadItemDefinitions(std::string_view fileBytes, ItemCatalogue& itemCatalogue);
// The same for the file at `path`; a file that cannot be read fails and
// leaves the catalogue as it was.
int LoadItemDefinitionFile(const std::string& path, ItemCatalogue& itemCatalogue);
