/* Resource ids of the account selection dialog. Read by the C++ sources and
   by the resource script, so macros only. The control numbers are fixed by
   the dialog's design. */
#pragma once

#define IDD_ACCOUNT_SELECT 210

#define IDT_ITEM_CAPTION 1034
#define IDL_ACCOUNTS 1030
#define IDX_SHOW_ALL_ACCOUNTS 1031
#define IDB_APPLY_SELECTION 1032
#define IDB_CANCEL_SELECTION 1033
#define IDT_TOTAL 1035
