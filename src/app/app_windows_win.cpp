#include "app/app_windows_win.h"

#include "ui/sheet/condition_sheet_window.h"

int Win32AppWindows::RunConditionSheet(ClConditionEntrySheet& sheet, WindowRef parent) {
    return RunConditionSheetWindow(sheet, parent);
}

std::unique_ptr<ProgressView> Win32AppWindows::CreateProgressView() {
    return CreateProgressDialogView();
}
