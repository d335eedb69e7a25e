// Reading one value from the text of a Windows-style settings file
// ("[section]" lines and "key=value" lines), as the system's profile
// functions read it.
#pragma once

#include <cstddef>
#include <string>

// The value of `key` in the first section named `section` of `fileBytes`.
// Names compare without regard to ASCII case; blanks around names and
// values are dropped and a value in double quotes loses its quotes. Lines
// starting with ';' are comments. A missing section or key gives
// `defaultValue`; a key with nothing after '=' gives "". The result is cut
// to at most `maxChars` bytes without splitting a double-byte character.
std::string ReadProfileString(const std::string& fileBytes, const std::string& section,
                              const std::string& key, const std::string& defaultValue,
                              std::size_t maxChars);
