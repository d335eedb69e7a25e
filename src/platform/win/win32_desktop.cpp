#include "platform/win/win32_desktop.h"

#include <windows.h>

#include "platform/win/code_page.h"

namespace {

// The arguments after the program's name, as the C runtime would hand them
// to WinMain: the name may be quoted, blanks after it are skipped.
std::wstring ArgumentsAfterProgramName(const wchar_t* line) {
    const wchar_t* p = line;
    if (*p == L'"') {
        ++p;
        while (*p != L'\0' && *p != L'"')
            ++p;
        if (*p == L'"') ++p;
    } else {
        while (*p != L'\0' && *p != L' ' && *p != L'\t')
            ++p;
    }
    while (*p == L' ' || *p == L'\t')
        ++p;
    return p;
}

HWND AsWindow(WindowRef window) {
    return static_cast<HWND>(window);
}

}  // namespace

std::string Win32Desktop::CommandLine() {
    return Cp932FromWide(ArgumentsAfterProgramName(GetCommandLineW()));
}

void Win32Desktop::EnableWindow(WindowRef window, bool enable) {
    ::EnableWindow(AsWindow(window), enable ? TRUE : FALSE);
}

void Win32Desktop::BringToForeground(WindowRef window) {
    SetForegroundWindow(AsWindow(window));
}

void Win32Desktop::PostMessageTo(WindowRef window, std::uint32_t message, std::intptr_t first,
                                 std::intptr_t second) {
    PostMessageW(AsWindow(window), message, static_cast<WPARAM>(first),
                 static_cast<LPARAM>(second));
}
