#include "ui/sheet/sheet_keys.h"

#include "ui/sheet/own_buttons.h"

namespace {

SheetKeyAction ActionOfButton(std::int32_t buttonId) {
    switch (buttonId) {
        case IDB_RUN:
            return SheetKeyAction::kRun;
        case IDB_CANCEL:
            return SheetKeyAction::kExit;
        case IDB_NEXT:
            return SheetKeyAction::kNextPage;
        case IDB_PREVIOUS:
            return SheetKeyAction::kPreviousPage;
        default:
            return SheetKeyAction::kSwallow;
    }
}

}  // namespace

SheetKeyAction DecideSheetKey(const KeyMessage& message) {
    // Alt+F4 would close the sheet past its exit dialogue.
    if (message.IsAltF4()) return SheetKeyAction::kSwallow;
    if (!message.IsPlainKeyDown()) {
        // Past this filter the dialog manager would take Shift+Enter or
        // Ctrl+Enter for a press of the focused button, and Shift+Esc or
        // Ctrl+Esc for the hidden standard Cancel: actions the sheet gives
        // only to the plain keys.
        const bool enterOrEscape = message.key == kKeyEnter || message.key == kKeyEscape;
        return message.kind == KeyMessageKind::kKeyDown && enterOrEscape ? SheetKeyAction::kSwallow
                                                                         : SheetKeyAction::kPass;
    }
    switch (message.key) {
        case kKeyEnter:
            return ActionOfButton(message.targetButtonId);
        case kKeyEscape:
            return SheetKeyAction::kExit;
        case kKeyF12:
            return SheetKeyAction::kRun;
        case kKeyF5:
            return SheetKeyAction::kPreviousPage;
        case kKeyF6:
            return SheetKeyAction::kNextPage;
        default:
            return SheetKeyAction::kPass;
    }
}
