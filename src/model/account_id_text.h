#pragma once

#include <cstdint>
#include <string>

// The text form of an account's 16 identifier bytes: "0x" and two
// lower-case hexadecimal digits per byte, high nibble first.
std::string FormatAccountIdText(const std::uint8_t* idBytes);
