// A key message as the program's key filters read it: its kind, its
// virtual-key code and the modifiers held when it arrived. The Win32 layer
// reads it from a window message (win/key_message_win.h); the decisions
// about keys are plain code that takes this.
#pragma once

#include <cstdint>

// A key pressed with Alt held (or F10) arrives as a system key-down.
enum class KeyMessageKind { kKeyDown, kSystemKeyDown, kOther };

// Virtual-key codes the program reacts to (the Windows values).
enum KeyCode : std::uint32_t {
    kKeyEnter = 0x0D,
    kKeyEscape = 0x1B,
    kKeyF4 = 0x73,
    kKeyF5 = 0x74,
    kKeyF6 = 0x75,
    kKeyF12 = 0x7B,
};

struct KeyMessage {
    KeyMessageKind kind = KeyMessageKind::kOther;
    std::uint32_t key = 0;
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
    std::int32_t targetButtonId = 0;  // the own button the message is for, or 0

    bool IsDown() const {
        return kind == KeyMessageKind::kKeyDown || kind == KeyMessageKind::kSystemKeyDown;
    }
    bool IsPlainKeyDown() const {
        return kind == KeyMessageKind::kKeyDown && !shift && !ctrl && !alt;
    }
    // Alt held alone with F4: the key that would close a window past its
    // own way out.
    bool IsAltF4() const { return alt && !shift && !ctrl && key == kKeyF4; }
};
