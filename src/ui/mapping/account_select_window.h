// Shows the account selection dialog of a statement item as a modal window.
#pragma once

#include "platform/desktop.h"
#include "ui/mapping/account_select_dialog.h"

// Runs the dialog until it closes, with `owner` disabled meanwhile; returns
// the id of the button that closed it ("設定(F12)" or "キャンセル(Esc)").
int RunAccountSelectWindow(ClAccountSelectDialog& dialog, WindowRef owner);
