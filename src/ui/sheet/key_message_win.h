// A key message as the program's key filters read it, with the keyboard's
// modifier state at the time (Windows only).
#pragma once

#include <windows.h>

#include "ui/sheet/sheet_keys.h"

inline KeyMessage KeyMessageOf(const MSG& message) {
    KeyMessage key;
    key.kind = message.message == WM_KEYDOWN ? KeyMessageKind::kKeyDown : KeyMessageKind::kOther;
    key.key = static_cast<std::uint32_t>(message.wParam);
    key.shift = GetKeyState(VK_SHIFT) < 0;
    key.ctrl = GetKeyState(VK_CONTROL) < 0;
    key.alt = GetKeyState(VK_MENU) < 0;
    return key;
}
