// Walking Shift_JIS (code page 932) byte strings character by character.
// A double-byte character is a lead byte (0x81-0x9F, 0xE0-0xFC) followed by
// a trail byte (0x40-0x7E, 0x80-0xFC); its trail byte may equal '\\', '/',
// '|' or a letter, so every scan for a separator or a single-byte letter
// walks from the start and never looks at a trail byte on its own. Every
// path and text rule of the program walks through these.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

bool IsShiftJisLeadByte(unsigned char byte);
bool IsShiftJisTrailByte(unsigned char byte);

// 2 when a double-byte character starts at `index`, else 1 (a lead byte
// without a valid trail byte after it is a character of its own).
std::size_t CharacterWidthAt(std::string_view text, std::size_t index);

// True when `index` is the first or the second byte of a double-byte
// character.
bool IsDoubleByteAt(std::string_view text, std::size_t index);

// The first single-byte character at or after `from` that is one of
// `anyOf`, or npos.
std::size_t FindSingleByte(std::string_view text, std::string_view anyOf, std::size_t from = 0);
// The last single-byte character that is one of `anyOf`, or npos.
std::size_t FindLastSingleByte(std::string_view text, std::string_view anyOf);
// True when the last character is the single byte `c` (a trailing
// backslash of its own, not the second byte of "ソ").
bool EndsWithSingleByte(std::string_view text, char c);

// Equal without regard to the case of single-byte letters; double-byte
// characters compare as they are ("ア" is not "ャ").
bool SameIgnoringCase(std::string_view a, std::string_view b);

// The longest start of `text` that has at most `maxBytes` bytes and does not
// end in the middle of a double-byte character.
std::string CutAtCharacterBoundary(std::string_view text, std::size_t maxBytes);
