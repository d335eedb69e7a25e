// What the program needs of the desktop around it: the command line and the
// host's window. The Win32 implementation is in win/; tests use a fake.
#pragma once

#include <cstdint>
#include <string>

using WindowRef = void*;

class Desktop {
  public:
    virtual ~Desktop() = default;

    // The text after the program's name, in code page 932.
    virtual std::string CommandLine() = 0;
    virtual void EnableWindow(WindowRef window, bool enable) = 0;
    virtual void BringToForeground(WindowRef window) = 0;
    virtual void PostMessageTo(WindowRef window, std::uint32_t message, std::intptr_t first,
                               std::intptr_t second) = 0;
};

// A window handle that arrived as a decimal number.
inline WindowRef WindowFromHandleNumber(std::int64_t number) {
    return reinterpret_cast<WindowRef>(static_cast<std::intptr_t>(number));
}
