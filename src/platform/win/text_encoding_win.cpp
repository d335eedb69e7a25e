#include <windows.h>

#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/text_encoding.h"
#include "platform/win/code_page.h"

std::string Utf8FromCp932(std::string_view text) {
    // The code page's own table gives the wide characters, bytes that
    // start none included; UTF-8 follows from them.
    const std::wstring wide = WideFromCp932(std::string(text));
    if (wide.empty()) {
        if (text.empty()) return {};
        throw std::runtime_error("no conversion from code page 932");
    }
    const int size = static_cast<int>(wide.size());
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    if (length <= 0) throw std::runtime_error("no conversion to UTF-8");
    std::string utf8(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), length, nullptr, nullptr);
    return utf8;
}
