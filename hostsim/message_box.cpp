#include "hostsim/message_box.h"

#include <string>

#include "hostsim/host_session.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace hostsim {

#ifdef _WIN32

namespace {
std::wstring FromShiftJis(const std::string& sjis) {
    const int length =
        MultiByteToWideChar(932, 0, sjis.data(), static_cast<int>(sjis.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
    if (length > 0) {
        MultiByteToWideChar(932, 0, sjis.data(), static_cast<int>(sjis.size()), wide.data(),
                            length);
    }
    return wide;
}
}  // namespace

std::int32_t ShowMessageBox(std::uintptr_t owner, const std::string& text, const std::string& title,
                            std::uint32_t style) {
    return MessageBoxW(reinterpret_cast<HWND>(owner), FromShiftJis(text).c_str(),
                       FromShiftJis(title).c_str(), style);
}

#else

std::int32_t ShowMessageBox(std::uintptr_t owner, const std::string& text, const std::string& title,
                            std::uint32_t style) {
    Session().shownMessages.push_back({owner, text, title, style});
    return 1;  // IDOK
}

#endif

}  // namespace hostsim
