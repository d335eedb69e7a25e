// Drives the program's windows from the test process, as a person would:
// finds them, reads their texts and presses keys with SendInput.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace gui {

// A window shows within a second here; a busy build machine can stall a
// Wine process for far longer, and a wait that runs out fails the case.
constexpr DWORD kWaitMs = 60000;
constexpr DWORD kPollMs = 20;

// The first visible top-level window that matches, polled every `pollMs`
// until the bound; null when none appeared.
HWND WaitForWindow(const std::function<bool(HWND)>& matches, DWORD timeoutMs = kWaitMs,
                   DWORD pollMs = kPollMs);

std::wstring WindowText(HWND window);

// A message box: a dialog with the static text control 0xFFFF.
bool IsMessageBox(HWND window);
std::wstring MessageBoxText(HWND box);
HWND WaitForMessageBox(DWORD timeoutMs = kWaitMs, DWORD pollMs = kPollMs);

HWND WaitForWindowTitled(const std::wstring& title, DWORD timeoutMs = kWaitMs,
                         DWORD pollMs = kPollMs);
// True while a visible top-level window with this title exists.
bool WindowTitledExists(const std::wstring& title);

// Makes `window` the foreground window and waits until it is.
void BringToFront(HWND window);

// Makes `window` the foreground window and types the key, with modifiers
// held as given.
void PressKey(HWND window, WORD virtualKey, bool shift = false, bool ctrl = false,
              bool alt = false);

// Presses a dialog's button by its id (IDOK, IDYES, IDNO ...).
void PressButton(HWND dialog, int buttonId);

// A control anywhere inside `top` (the sheet's pages included), by id.
HWND FindControl(HWND top, int controlId);
// Sets an edit field's text as if typed: the program sees the change.
void SetControlText(HWND control, const std::wstring& text);
bool IsChecked(HWND checkBox);
// Clicks a button or check box as the mouse would (a check box toggles).
void Click(HWND top, HWND button);
// A real mouse click (SendInput) on the middle of `control`, or at `x`, `y`
// inside it; unlike Click it returns at once, before the program reacts.
void MouseClick(HWND top, HWND control, bool right = false, int x = -1, int y = -1);
// Moves the mouse onto `control`, near the top of its middle, as a person
// pointing at it does (a tooltip then shows).
void MoveMouseOver(HWND top, HWND control);
// Polls `holds` until it is true; false at the bound.
bool WaitUntil(const std::function<bool()>& holds, DWORD timeoutMs = kWaitMs);
// The id of the control that has the keyboard focus in `top`'s thread.
int FocusedControlId(HWND top);

// The screen's pixels inside `area` as a 24-bit BMP file.
void SaveScreenArea(const RECT& area, const std::wstring& path);

// Holds the thread that owns `window` still while it lives, so that the
// picture of a window that changes by itself (the progress window) is of
// one moment. The programs draw all their windows on one thread.
class ThreadHeld {
  public:
    explicit ThreadHeld(HWND window);
    ~ThreadHeld();
    ThreadHeld(const ThreadHeld&) = delete;
    ThreadHeld& operator=(const ThreadHeld&) = delete;

  private:
    HANDLE thread_;
};

// Waits until the window is gone; false when it still exists at the bound.
bool WaitUntilGone(HWND window, DWORD timeoutMs = kWaitMs);

}  // namespace gui
