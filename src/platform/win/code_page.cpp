#include "platform/win/code_page.h"

#include <windows.h>

namespace {
constexpr UINT kShiftJis = 932;
constexpr char kNoSuchCharacter[] = "?";
}  // namespace

std::wstring WideFromCp932(const std::string& text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(kShiftJis, 0, text.data(), size, nullptr, 0);
    if (length <= 0) return {};
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(kShiftJis, 0, text.data(), size, wide.data(), length);
    return wide;
}

bool Cp932FromWide(const std::wstring& text, std::string& narrow) {
    narrow.clear();
    if (text.empty()) return true;
    const int size = static_cast<int>(text.size());
    BOOL defaultUsed = FALSE;
    const int length = WideCharToMultiByte(kShiftJis, WC_NO_BEST_FIT_CHARS, text.data(), size,
                                           nullptr, 0, kNoSuchCharacter, &defaultUsed);
    if (length <= 0) return false;
    narrow.assign(static_cast<std::size_t>(length), '\0');
    defaultUsed = FALSE;
    WideCharToMultiByte(kShiftJis, WC_NO_BEST_FIT_CHARS, text.data(), size, narrow.data(), length,
                        kNoSuchCharacter, &defaultUsed);
    return defaultUsed == FALSE;
}
