#include "hostsim/message_box.h"

#include <string>

#include "hostsim/host_session.h"

#ifdef _WIN32
#include <windows.h>

#include "hostsim/text_win.h"
#endif

namespace hostsim {

#ifdef _WIN32

std::int32_t ShowMessageBox(std::uintptr_t owner, const std::string& text, const std::string& title,
                            std::uint32_t style) {
    return MessageBoxW(reinterpret_cast<HWND>(owner), WideFromShiftJis(text).c_str(),
                       WideFromShiftJis(title).c_str(), style);
}

#else

std::int32_t ShowMessageBox(std::uintptr_t owner, const std::string& text, const std::string& title,
                            std::uint32_t style) {
    Session().shownMessages.push_back({owner, text, title, style});
    return 1;  // IDOK
}

#endif

}  // namespace hostsim
