// UTF-8 to Shift_JIS (code page 932), the one conversion the stand-in does.
#pragma once

#include <string>
#include <string_view>

namespace hostsim {

// False when the text holds a character that code page 932 lacks.
bool Utf8ToShiftJis(std::string_view utf8, std::string& sjis);

}  // namespace hostsim
