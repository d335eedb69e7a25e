#include "tests/e2e/gui_driver.h"

#include <vector>

#include "tests/e2e/process_runner.h"

namespace gui {

namespace {

struct Search {
    const std::function<bool(HWND)>* matches;
    HWND found;
};

BOOL CALLBACK VisitWindow(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<Search*>(context);
    if (IsWindowVisible(window) && (*search->matches)(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindWindowNow(const std::function<bool(HWND)>& matches) {
    Search search{&matches, nullptr};
    EnumWindows(VisitWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void Send(WORD virtualKey, bool up) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof input);
}

}  // namespace

HWND WaitForWindow(const std::function<bool(HWND)>& matches, DWORD timeoutMs, DWORD pollMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        if (HWND window = FindWindowNow(matches)) return window;
        if (GetTickCount64() >= deadline) return nullptr;
        Sleep(pollMs);
    }
}

// Asked with WM_GETTEXT: for a window of another process GetWindowText
// gives only the caption stored at creation, not an edit field's content.
std::wstring WindowText(HWND window) {
    const auto length = static_cast<int>(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0));
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const auto got =
        static_cast<int>(SendMessageW(window, WM_GETTEXT, static_cast<WPARAM>(length + 1),
                                      reinterpret_cast<LPARAM>(text.data())));
    text.resize(static_cast<std::size_t>(got > 0 ? got : 0));
    return text;
}

bool IsMessageBox(HWND window) {
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    return std::wstring(className) == L"#32770" && GetDlgItem(window, 0xFFFF) != nullptr;
}

std::wstring MessageBoxText(HWND box) {
    HWND text = GetDlgItem(box, 0xFFFF);
    return text != nullptr ? WindowText(text) : std::wstring();
}

HWND WaitForMessageBox(DWORD timeoutMs, DWORD pollMs) {
    return WaitForWindow(IsMessageBox, timeoutMs, pollMs);
}

HWND WaitForWindowTitled(const std::wstring& title, DWORD timeoutMs, DWORD pollMs) {
    return WaitForWindow([&title](HWND window) { return WindowText(window) == title; }, timeoutMs,
                         pollMs);
}

bool WindowTitledExists(const std::wstring& title) {
    return FindWindowNow([&title](HWND window) { return WindowText(window) == title; }) != nullptr;
}

// Keys go to the foreground window: wait until the target is it, since
// the change can take effect later than the call returns.
void BringToFront(HWND window) {
    const ULONGLONG deadline = GetTickCount64() + 5000;
    while (GetForegroundWindow() != window && GetTickCount64() < deadline) {
        SetForegroundWindow(window);
        Sleep(kPollMs);
    }
}

void PressKey(HWND window, WORD virtualKey, bool shift, bool ctrl, bool alt) {
    BringToFront(window);
    std::vector<WORD> held;
    if (shift) held.push_back(VK_SHIFT);
    if (ctrl) held.push_back(VK_CONTROL);
    if (alt) held.push_back(VK_MENU);
    for (WORD key : held)
        Send(key, false);
    Send(virtualKey, false);
    Send(virtualKey, true);
    for (auto it = held.rbegin(); it != held.rend(); ++it)
        Send(*it, true);
}

void PressButton(HWND dialog, int buttonId) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, buttonId)));
}

namespace {
struct ControlSearch {
    int id;
    HWND found;
};
BOOL CALLBACK VisitControl(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<ControlSearch*>(context);
    if (GetDlgCtrlID(window) == search->id) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}
}  // namespace

HWND FindControl(HWND top, int controlId) {
    ControlSearch search{controlId, nullptr};
    EnumChildWindows(top, VisitControl, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void SetControlText(HWND control, const std::wstring& text) {
    SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void Click(HWND top, HWND button) {
    BringToFront(top);
    SendMessageW(button, BM_CLICK, 0, 0);
}

void MouseClick(HWND top, HWND control, bool right, int x, int y) {
    BringToFront(top);
    RECT bounds = {};
    GetWindowRect(control, &bounds);
    SetCursorPos(x < 0 ? (bounds.left + bounds.right) / 2 : bounds.left + x,
                 y < 0 ? (bounds.top + bounds.bottom) / 2 : bounds.top + y);
    INPUT inputs[2] = {};
    inputs[0].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
    inputs[1].type = INPUT_MOUSE;
    inputs[1].mi.dwFlags = right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
    SendInput(2, inputs, sizeof(INPUT));
}

void MoveMouseOver(HWND top, HWND control) {
    BringToFront(top);
    RECT bounds = {};
    GetWindowRect(control, &bounds);
    SetCursorPos((bounds.left + bounds.right) / 2, bounds.top + 4);
    // A move by input, not only a new position: the page relays mouse moves
    // to its tooltip control.
    INPUT move = {};
    move.type = INPUT_MOUSE;
    move.mi.dwFlags = MOUSEEVENTF_MOVE;
    move.mi.dx = 1;
    SendInput(1, &move, sizeof move);
}

bool WaitUntil(const std::function<bool()>& holds, DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (!holds()) {
        if (GetTickCount64() >= deadline) return false;
        Sleep(kPollMs);
    }
    return true;
}

bool IsChecked(HWND checkBox) {
    return SendMessageW(checkBox, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

int FocusedControlId(HWND top) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(top, nullptr), &info) ||
        info.hwndFocus == nullptr) {
        return 0;
    }
    return GetDlgCtrlID(info.hwndFocus);
}

void SaveScreenArea(const RECT& area, const std::wstring& path) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    SelectObject(memory, old);
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    const int stride = (width * 3 + 3) & ~3;
    std::vector<char> pixels(static_cast<std::size_t>(stride) * height);
    GetDIBits(memory, bitmap, 0, height, pixels.data(), reinterpret_cast<BITMAPINFO*>(&info),
              DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
    bytes.append(reinterpret_cast<const char*>(&info), sizeof info);
    bytes.append(pixels.data(), pixels.size());
    WriteFileBytes(path, bytes);
}

ThreadHeld::ThreadHeld(HWND window)
    : thread_(OpenThread(THREAD_SUSPEND_RESUME, FALSE, GetWindowThreadProcessId(window, nullptr))) {
    if (thread_ != nullptr && SuspendThread(thread_) == static_cast<DWORD>(-1)) {
        CloseHandle(thread_);
        thread_ = nullptr;
    }
}

ThreadHeld::~ThreadHeld() {
    if (thread_ == nullptr) return;
    ResumeThread(thread_);
    CloseHandle(thread_);
}

bool WaitUntilGone(HWND window, DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (IsWindow(window) && IsWindowVisible(window)) {
        if (GetTickCount64() >= deadline) return false;
        Sleep(kPollMs);
    }
    return true;
}

}  // namespace gui
