// How the sheet reads a key message before the dialog manager sees it.
#pragma once

#include <cstdint>

enum class KeyMessageKind { kKeyDown, kOther };

// Virtual-key codes the sheet reacts to (the Windows values).
enum SheetKey : std::uint32_t {
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
};

enum class SheetKeyAction {
    kPass,     // the default path
    kSwallow,  // nothing happens
    kRun,
    kExit,
    kPreviousPage,
    kNextPage,
};

SheetKeyAction DecideSheetKey(const KeyMessage& message);
