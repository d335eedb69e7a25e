#include "platform/win/code_page.h"

#include <windows.h>

namespace {
constexpr UINT kShiftJis = 932;
}

std::wstring WideFromCp932(const std::string& text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(kShiftJis, 0, text.data(), size, nullptr, 0);
    if (length <= 0) return {};
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(kShiftJis, 0, text.data(), size, wide.data(), length);
    return wide;
}

std::string Cp932FromWide(const std::wstring& text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int length =
        WideCharToMultiByte(kShiftJis, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    if (length <= 0) return {};
    std::string narrow(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(kShiftJis, 0, text.data(), size, narrow.data(), length, nullptr, nullptr);
    return narrow;
}
