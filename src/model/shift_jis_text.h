// Shift_JIS (code page 932) byte strings: which bytes start a double-byte
// character, and cutting a text without splitting one.
#pragma once

#include <cstddef>
#include <string>

// True for the first byte of a double-byte character (0x81-0x9F, 0xE0-0xFC).
// The second byte can be 0x40-0xFC, so it may equal '\\' or '/'.
bool IsShiftJisLeadByte(unsigned char byte);

// The longest start of `text` that has at most `maxBytes` bytes and does not
// end in the middle of a double-byte character. Characters are counted from
// the start; a lead byte at the very end of `text` counts as one character.
std::string CutAtCharacterBoundary(const std::string& text, std::size_t maxBytes);
