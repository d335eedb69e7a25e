#pragma once

#include "platform/desktop.h"

class Win32Desktop : public Desktop {
  public:
    SystemText CommandLine() override;
    void EnableWindow(WindowRef window, bool enable) override;
    void BringToForeground(WindowRef window) override;
    void PostMessageTo(WindowRef window, std::uint32_t message, std::intptr_t first,
                       std::intptr_t second) override;
    std::string ProgramFolder() override;
    std::string CurrentFolder() override;
    bool SetCurrentFolder(const std::string& folder) override;
    bool ShowMessage(WindowRef owner, const std::string& text, MessageKind kind) override;
    void ShowWaitCursor(bool waiting) override;

  private:
    void* previousCursor_ = nullptr;
};
