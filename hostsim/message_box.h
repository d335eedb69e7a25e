#pragma once

#include <cstdint>
#include <string>

namespace hostsim {

// A modal message box with Shift_JIS texts; returns the button pressed.
// The native build cannot show one: it records the message in the session
// and answers OK.
std::int32_t ShowMessageBox(std::uintptr_t owner, const std::string& text, const std::string& title,
                            std::uint32_t style);

}  // namespace hostsim
