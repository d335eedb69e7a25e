#include "platform/win/win32_desktop.h"

#include <windows.h>

#include "platform/win/code_page.h"
#include "platform/win/message_box_win.h"

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

SystemText Win32Desktop::CommandLine() {
    SystemText line;
    line.complete = Cp932FromWide(ArgumentsAfterProgramName(GetCommandLineW()), line.text);
    return line;
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

std::string Win32Desktop::ProgramFolder() {
    std::wstring path(32768, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    path.resize(length);
    path.erase(path.find_last_of(L'\\') + 1);
    std::string folder;
    return Cp932FromWide(path, folder) ? folder : std::string();
}

std::string Win32Desktop::CurrentFolder() {
    wchar_t folder[MAX_PATH + 1] = {};
    const DWORD length = GetCurrentDirectoryW(MAX_PATH + 1, folder);
    std::string text;
    const bool whole = length > 0 && length <= MAX_PATH && Cp932FromWide(folder, text);
    return whole ? text : std::string();
}

bool Win32Desktop::SetCurrentFolder(const std::string& folder) {
    return SetCurrentDirectoryW(WideFromCp932(folder).c_str()) != FALSE;
}

bool Win32Desktop::ShowMessage(WindowRef owner, const std::string& text, MessageKind kind) {
    return ShowProgramMessage(AsWindow(owner), text, kind);
}

void Win32Desktop::ShowWaitCursor(bool waiting) {
    if (waiting) {
        previousCursor_ = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    } else {
        SetCursor(static_cast<HCURSOR>(previousCursor_));
    }
}
