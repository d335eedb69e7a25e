// Text conversions the stand-in needs at the Win32 boundary (Windows only).
#pragma once

#include <string>

namespace hostsim {

std::wstring WideFromUtf8(const std::string& utf8);
std::string Utf8FromWide(const std::wstring& wide);
std::wstring WideFromShiftJis(const std::string& sjis);

}  // namespace hostsim
