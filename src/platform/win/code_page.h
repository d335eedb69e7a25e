// Conversions at the Win32 boundary: the program's texts are code page 932
// bytes; Windows is called through its UTF-16 functions.
#pragma once

#include <string>

std::wstring WideFromCp932(const std::string& text);

// The code page 932 form of `text`. False when a character has none of its
// own: the system's "best fit" (the yen sign as a backslash, é as e) would
// name another file or folder, so no such mapping is made, and each of
// these characters stands as "?" in `narrow`, which no path may hold.
[[nodiscard]] bool Cp932FromWide(const std::wstring& text, std::string& narrow);
