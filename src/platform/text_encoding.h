// Code page 932 text as UTF-8, for documents read outside the program (the
// aggregation detail). The system's tables convert: Win32 in
// win/text_encoding_win.cpp, iconv in text_encoding_native.cpp.
#pragma once

#include <string>
#include <string_view>

// Every character of `text` in UTF-8 (half-width katakana, "\" and "~"
// keep the code page's meaning); the result is always valid UTF-8. A byte
// that starts no character of the code page becomes U+FFFD with iconv and
// whatever the code page's table gives on Windows (U+30FB, private-use
// characters), so callers that must show such bytes one way mark them
// before converting, as the detail document does. Throws
// std::runtime_error when the system cannot convert at all.
std::string Utf8FromCp932(std::string_view text);
