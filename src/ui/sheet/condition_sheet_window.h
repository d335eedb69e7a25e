// Shows the condition entry sheet as a modal window.
#pragma once

#include "platform/desktop.h"
#include "ui/sheet/condition_entry_sheet.h"

// Runs the sheet until it ends; returns its end code.
int RunConditionSheetWindow(ClConditionEntrySheet& sheet, WindowRef parent);
