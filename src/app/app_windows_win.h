#pragma once

#include "app/app_windows.h"

class Win32AppWindows : public AppWindows {
  public:
    int RunConditionSheet(ClConditionEntrySheet& sheet, WindowRef parent) override;
    std::unique_ptr<ProgressView> CreateProgressView() override;
};
