#pragma once

#include "platform/desktop.h"

class Win32Desktop : public Desktop {
  public:
    std::string CommandLine() override;
    void EnableWindow(WindowRef window, bool enable) override;
    void BringToForeground(WindowRef window) override;
    void PostMessageTo(WindowRef window, std::uint32_t message, std::intptr_t first,
                       std::intptr_t second) override;
};
