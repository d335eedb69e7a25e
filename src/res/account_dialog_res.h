/* Resource ids of the account selection dialog. Read by the C++ sources and
   by the resource script, so macros only. The control numbers are fixed by
   the dialog's design. */
#pragma once

#define IDD_ACCOUNT_SELECT 210

#define IDC_ACCOUNT_LIST 1030
#define IDC_SHOW_ALL_ACCOUNTS 1031
#define IDC_APPLY_SELECTION 1032
#define IDC_CANCEL_SELECTION 1033
#define IDC_ITEM_CAPTION 1034
