// What the sheet does with a key message before the dialog manager sees it.
#pragma once

#include "platform/key_message.h"

enum class SheetKeyAction {
    kPass,     // the default path
    kSwallow,  // nothing happens
    kRun,
    kExit,
    kPreviousPage,
    kNextPage,
};

SheetKeyAction DecideSheetKey(const KeyMessage& message);
