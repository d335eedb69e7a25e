// Reading a window message as a key message, with the keyboard's modifier
// state at the time it is read.
#pragma once

#include <windows.h>

#include "platform/key_message.h"

// Key-down and key-up messages, Alt held or not.
inline bool IsKeyMessage(const MSG& message) {
    return message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN ||
           message.message == WM_KEYUP || message.message == WM_SYSKEYUP;
}

inline KeyMessage KeyMessageOf(const MSG& message) {
    KeyMessage key;
    key.kind = message.message == WM_KEYDOWN      ? KeyMessageKind::kKeyDown
               : message.message == WM_SYSKEYDOWN ? KeyMessageKind::kSystemKeyDown
                                                  : KeyMessageKind::kOther;
    key.key = static_cast<std::uint32_t>(message.wParam);
    key.shift = GetKeyState(VK_SHIFT) < 0;
    key.ctrl = GetKeyState(VK_CONTROL) < 0;
    key.alt = GetKeyState(VK_MENU) < 0;
    return key;
}
