// The windows the run opens, behind an interface so that the run sequence
// is tested without them.
#pragma once

#include <memory>

#include "app/progress_window.h"
#include "platform/desktop.h"
#include "ui/sheet/condition_entry_sheet.h"

class AppWindows {
  public:
    virtual ~AppWindows() = default;

    // Runs the sheet modally over `parent` (null: no parent); its end code.
    virtual int RunConditionSheet(ClConditionEntrySheet& sheet, WindowRef parent) = 0;
    // The view of the run's progress window (not created yet).
    virtual std::unique_ptr<ProgressView> CreateProgressView() = 0;
};
