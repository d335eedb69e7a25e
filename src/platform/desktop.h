// What the program needs of the desktop around it: the command line, the
// host's window, folders, files and message boxes. Texts and paths are
// code page 932. The Win32 implementation is in win/; tests use a fake.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>

#include "platform/message_kind.h"

using WindowRef = void*;

// A moment of the local clock, to the minute.
struct LocalTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
};

// A text the system gave, in code page 932. `complete` is false when a
// character of it has no code page 932 form: it then stands as "?".
struct SystemText {
    std::string text;
    bool complete = true;
};

class Desktop {
  public:
    virtual ~Desktop() = default;

    // The text after the program's name.
    virtual SystemText CommandLine() = 0;
    virtual void EnableWindow(WindowRef window, bool enable) = 0;
    virtual void BringToForeground(WindowRef window) = 0;
    virtual void PostMessageTo(WindowRef window, std::uint32_t message, std::intptr_t first,
                               std::intptr_t second) = 0;

    // The folder of the program's own file, ending with a backslash; empty
    // when its name has a character code page 932 lacks.
    virtual std::string ProgramFolder() = 0;
    virtual std::string CurrentFolder() = 0;
    virtual bool SetCurrentFolder(const std::string& folder) = 0;

    // The program's message box, captioned "事業概況書"; true for Yes or OK.
    virtual bool ShowMessage(WindowRef owner, const std::string& text, MessageKind kind) = 0;
    virtual void ShowWaitCursor(bool waiting) = 0;

    // The local date and time now, from the C library's clock; tests fix it.
    virtual LocalTime Now() {
        const std::time_t now = std::time(nullptr);
        // The program has one thread: the library's shared result is safe.
        const std::tm* local = std::localtime(&now);
        if (local == nullptr) return {};
        return {local->tm_year + 1900, local->tm_mon + 1, local->tm_mday, local->tm_hour,
                local->tm_min};
    }
};

// A window handle that arrived as a decimal number. Window handles have 32
// significant bits in 32-bit and 64-bit programs alike (a 64-bit handle is
// the 32-bit value sign-extended), so a host that writes its handle signed
// or unsigned names the same window for a program of either width.
inline WindowRef WindowFromHandleNumber(std::int64_t number) {
    const std::int64_t low = number & 0xFFFFFFFF;
    const std::int64_t handle = low >= 0x80000000 ? low - 0x100000000 : low;
    return reinterpret_cast<WindowRef>(static_cast<std::intptr_t>(handle));
}
