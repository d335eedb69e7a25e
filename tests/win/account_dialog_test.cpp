// The account selection dialog created in-process against the stand-in: a
// timer fired inside the dialog's own modal loop inspects the window, drives
// it with the messages its controls send, and closes it.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "aggregate/sheet_amounts.h"
#include "host/host_calls.h"
#include "host/host_link.h"
#include "model/mapping_list.h"
#include "res/account_dialog_res.h"
#include "ui/mapping/account_select_dialog.h"
#include "ui/mapping/account_select_window.h"

namespace {

std::wstring ListText(HWND list, int row, int column) {
    wchar_t text[128] = {};
    LVITEMW item = {};
    item.iSubItem = column;
    item.cchTextMax = 128;
    item.pszText = text;
    SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return text;
}

int RowCount(HWND list) {
    return static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
}

bool RowChecked(HWND list, int row) {
    return ListView_GetCheckState(list, row) != FALSE;
}

// A click on the row's check box, as the user checks it.
void ClickCheckBox(HWND list, int row) {
    RECT bounds = {};
    ListView_GetItemRect(list, row, &bounds, LVIR_BOUNDS);
    const LPARAM at = MAKELPARAM(bounds.left + 8, (bounds.top + bounds.bottom) / 2);
    SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(list, WM_LBUTTONUP, 0, at);
}

std::wstring WindowText(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

HWND FindDialog() {
    return FindWindowW(nullptr, L"集約科目対応設定");
}

// What the timer saw, checked after the dialog closed.
struct Seen {
    int columns = 0;
    bool amountsRightAligned = false;
    std::wstring firstAmount, totalBefore, totalAfter;
    int rowsOfClass = 0;
    std::wstring firstCode, firstName;
    int rowsOfAll = 0;
    bool cashCheckedAfterToggle = false;
    int rowsBackToClass = 0;
    bool salesStillChecked = false;
} seen;

void CALLBACK Inspect(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    HWND dialog = FindDialog();
    if (dialog == nullptr) return;
    HWND list = GetDlgItem(dialog, IDL_ACCOUNTS);
    HWND header = ListView_GetHeader(list);
    seen.columns = Header_GetItemCount(header);
    LVCOLUMNW amountColumn = {};
    amountColumn.mask = LVCF_FMT;
    seen.amountsRightAligned = ListView_GetColumn(list, 2, &amountColumn) != FALSE &&
                               (amountColumn.fmt & LVCFMT_JUSTIFYMASK) == LVCFMT_RIGHT;
    seen.firstAmount = ListText(list, 0, 2);
    seen.rowsOfClass = RowCount(list);
    seen.totalBefore = WindowText(GetDlgItem(dialog, IDT_TOTAL));
    // Check the second row (4130) and widen to all accounts.
    ClickCheckBox(list, 1);
    seen.totalAfter = WindowText(GetDlgItem(dialog, IDT_TOTAL));
    CheckDlgButton(dialog, IDX_SHOW_ALL_ACCOUNTS, BST_CHECKED);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDX_SHOW_ALL_ACCOUNTS, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDX_SHOW_ALL_ACCOUNTS)));
    seen.rowsOfAll = RowCount(list);
    seen.firstCode = ListText(list, 0, 0);
    seen.firstName = ListText(list, 0, 1);
    seen.cashCheckedAfterToggle = RowChecked(list, 0);
    ClickCheckBox(list, 0);  // 1110, outside the class
    CheckDlgButton(dialog, IDX_SHOW_ALL_ACCOUNTS, BST_UNCHECKED);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDX_SHOW_ALL_ACCOUNTS, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDX_SHOW_ALL_ACCOUNTS)));
    seen.rowsBackToClass = RowCount(list);
    seen.salesStillChecked = RowChecked(list, 1);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDB_APPLY_SELECTION, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDB_APPLY_SELECTION)));
}

// The stand-in with three main accounts, connected once for the whole run.
void ConnectToTheStandIn() {
    static bool connected = false;
    if (connected) return;
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    const std::wstring state = std::wstring(folder) + L"ldg-win-account-dialog.json";
    const std::string text =
        u8R"({"user": {"id": "sato", "selection": [1, 5]},
      "datasets": [{"id": "DS5", "no": 5, "company": "見本", "periodStart": 20250401,
        "periodEnd": 20260331, "accounts": [
        {"id": "a5d0000c00a95f600000000000000001", "code": 11100000, "name": "現金", "class": "0x80818000"},
        {"id": "a5d0000c0273a9800000000000000002", "code": 41200000, "name": "兼業売上高", "class": "0x40888200"},
        {"id": "a5d0000c02753c000000000000000004", "code": 41300000, "name": "兼業雑収入", "class": "0x40888200"}],
        "totals": [
        {"id": "a5d0000c0273a9800000000000000002", "class": "0x40888200", "side": 2,
         "creditExTax": [0,12345670000,0,0,0,0,0,0,0,0,0,0,0,0,0]},
        {"id": "a5d0000c02753c000000000000000004", "class": "0x40888200", "side": 2,
         "debitExTax": [0,0,10000000,0,0,0,0,0,0,0,0,0,0,0,0]}]}]})";
    FILE* file = _wfopen(state.c_str(), L"wb");
    ASSERT_NE(file, nullptr);
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
    SetEnvironmentVariableW(L"LDG_HOST_STATE", state.c_str());
    ClHostLink* link = ClHostLink::Instance();
    ASSERT_EQ(link->Connect(), 0);
    connected = true;
}

TEST(AccountDialogWindow, ShowsRowsAndKeepsChecksAcrossTheListing) {
    ASSERT_NO_FATAL_FAILURE(ConnectToTheStandIn());
    const std::array<std::uint32_t, kClassCodeSlots> classes = {0x40888200};
    MappingList current, defaults;
    ASSERT_TRUE(current.ReplaceSources(2, {"0xa5d0000c0273a9800000000000000002"}));
    HostCalls host;
    AccountDirectory accounts(host);
    DatasetRecord dataset;
    ASSERT_TRUE(host.FindDataset(5, dataset));
    SheetAmounts amounts(host, dataset, 4, 103);
    AggregationConditions conditions;
    conditions.startMonth = 4;
    conditions.endMonth = 3;
    conditions.introMonth = 1;
    ClAccountSelectDialog dialog;
    dialog.accounts = &accounts;
    dialog.itemNo = 2;
    dialog.itemSide = 2;
    dialog.captionText = "item";
    dialog.classCodes = &classes;
    dialog.currentMapping = &current;
    dialog.defaultMapping = &defaults;
    dialog.amounts = [&] {
        return AmountsOnScreen{amounts.For(conditions), amounts.status(), amounts.period()};
    };
    SetTimer(nullptr, 0, 0, Inspect);
    EXPECT_EQ(RunAccountSelectWindow(dialog, nullptr), ClAccountSelectDialog::kAppliedResult);
    EXPECT_EQ(seen.columns, 4);
    EXPECT_TRUE(seen.amountsRightAligned);
    EXPECT_EQ(seen.firstAmount, L"1,234,567");
    EXPECT_EQ(seen.totalBefore, L"合計 1,234,567円（2025年4月～2026年3月・税抜）");
    EXPECT_EQ(seen.totalAfter, L"合計 1,233,567円（2025年4月～2026年3月・税抜）")
        << "the line follows the check at once";
    EXPECT_EQ(seen.rowsOfClass, 2);
    EXPECT_EQ(seen.rowsOfAll, 3);
    EXPECT_EQ(seen.firstCode, L"1110");
    EXPECT_EQ(seen.firstName, L"現金");
    EXPECT_FALSE(seen.cashCheckedAfterToggle);
    EXPECT_EQ(seen.rowsBackToClass, 2);
    EXPECT_TRUE(seen.salesStillChecked);
    EXPECT_EQ(dialog.CheckedSet().size(), 3u) << "4120, 4130 and 1110";
}

// Chooses command `command` of the list's popup menu: the keys are queued
// first, and the menu's own loop reads them.
void ChooseMenuCommand(HWND dialog, int command) {
    HWND list = GetDlgItem(dialog, IDL_ACCOUNTS);
    for (int i = 0; i < command; ++i)
        PostMessageW(list, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(list, WM_KEYDOWN, VK_RETURN, 0);
    NMHDR header = {list, IDL_ACCOUNTS, static_cast<UINT>(NM_RCLICK)};
    SendMessageW(dialog, WM_NOTIFY, IDL_ACCOUNTS, reinterpret_cast<LPARAM>(&header));
}

// The checks of the rows as "1" and "0", and "+" when all accounts are shown.
std::string Checks(HWND dialog) {
    HWND list = GetDlgItem(dialog, IDL_ACCOUNTS);
    std::string checks;
    for (int row = 0; row < RowCount(list); ++row)
        checks += RowChecked(list, row) ? "1" : "0";
    if (IsDlgButtonChecked(dialog, IDX_SHOW_ALL_ACCOUNTS) == BST_CHECKED) checks += "+";
    return checks;
}

struct Walk {
    int step = 0;
    std::string afterCommand[6];
    int focusAfterEnter[3] = {};
} walk;

// One step per tick; the keys posted in a step are handled before the next.
void CALLBACK WalkStep(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    HWND dialog = FindDialog();
    if (dialog == nullptr) return;
    const int step = walk.step++;
    if (step == 0) {
        for (int command : {2, 3, 4, 5, 1}) {
            ChooseMenuCommand(dialog, command);
            walk.afterCommand[command] = Checks(dialog);
        }
        walk.focusAfterEnter[0] = GetDlgCtrlID(GetFocus());
    } else if (step < 3) {
        walk.focusAfterEnter[step] = GetDlgCtrlID(GetFocus());
    } else {
        return;
    }
    // Enter where the focus is: the list, then the check box, then the
    // apply button, which applies and closes.
    PostMessageW(GetFocus(), WM_KEYDOWN, VK_RETURN, 0);
    SetTimer(nullptr, 0, 0, WalkStep);
}

TEST(AccountDialogWindow, MenuCommandsAndTheEnterWalk) {
    ASSERT_NO_FATAL_FAILURE(ConnectToTheStandIn());
    const std::array<std::uint32_t, kClassCodeSlots> classes = {0x40888200};
    MappingList current, defaults;
    ASSERT_TRUE(defaults.ReplaceSources(2, {"0xa5d0000c0273a9800000000000000002"}));
    HostCalls host;
    AccountDirectory accounts(host);
    ClAccountSelectDialog dialog;
    dialog.accounts = &accounts;
    dialog.itemNo = 2;
    dialog.classCodes = &classes;
    dialog.currentMapping = &current;
    dialog.defaultMapping = &defaults;
    SetTimer(nullptr, 0, 0, WalkStep);
    EXPECT_EQ(RunAccountSelectWindow(dialog, nullptr), ClAccountSelectDialog::kAppliedResult);
    EXPECT_EQ(walk.afterCommand[2], "11");
    EXPECT_EQ(walk.afterCommand[3], "00");
    EXPECT_EQ(walk.afterCommand[4], "111+");
    EXPECT_EQ(walk.afterCommand[5], "000+");
    EXPECT_EQ(walk.afterCommand[1], "010+");
    EXPECT_EQ(walk.focusAfterEnter[0], IDL_ACCOUNTS);
    EXPECT_EQ(walk.focusAfterEnter[1], IDX_SHOW_ALL_ACCOUNTS);
    EXPECT_EQ(walk.focusAfterEnter[2], IDB_APPLY_SELECTION);
    EXPECT_EQ(dialog.CheckedSet(), std::vector<std::int32_t>{4120});
}

}  // namespace
