// Texts of the program's records, which the data files and the host give as
// NUL-terminated fields of a fixed size.
#pragma once

#include <cstddef>
#include <string>

// `text` up to its first NUL, cut to at most `maxBytes` without splitting a
// double-byte character: what a field of `maxBytes` plus the terminator keeps.
std::string BoundedRecordText(const std::string& text, std::size_t maxBytes);
