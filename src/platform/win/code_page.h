// Conversions at the Win32 boundary: the program's texts are code page 932
// bytes; Windows is called through its UTF-16 functions.
#pragma once

#include <string>

std::wstring WideFromCp932(const std::string& text);
std::string Cp932FromWide(const std::wstring& text);
