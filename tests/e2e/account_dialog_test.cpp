// The account selection dialog as a person uses it: from an item button on
// the main accounts page, check an account, "設定(F12)", keep the input, and
// find the new mapping in the saved conditions, in the next run's dialog and
// in the button's tooltip.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "res/account_dialog_res.h"
#include "res/condition_sheet_res.h"
#include "tests/e2e/scenario.h"

namespace {

const std::wstring kDialogTitle = L"集約科目対応設定";
const std::wstring kKeepInput = L"入力した情報を保存して終了しますか？";
const std::wstring kStopped = L"｢事業概況書｣の集計を中止します。";

// Item 2 of the edition offers the accounts of class 0x40888200.
const char kAccounts[] =
    u8R"(, "accounts": [
        {"id": "a5d0000c00a95f600000000000000001", "code": 11100000, "name": "現金", "class": "0x80818000"},
        {"id": "a5d0000c0273a9800000000000000002", "code": 41200000, "name": "兼業売上高", "class": "0x40888200"},
        {"id": "a5d0000c0273a9810000000000000003", "code": 41200001, "name": "兼業売上高 見本", "class": "0x40888200"},
        {"id": "a5d0000c02753c000000000000000004", "code": 41300000, "name": "兼業雑収入", "class": "0x40888200"}])";
const char kMapped4120[] = "2/0xa5d0000c0273a9800000000000000002[END]";
const char kMapped4130[] = "2/0xa5d0000c02753c000000000000000004[END]";

// Memory inside the program's process, for the list view and tooltip
// messages whose structures hold pointers.
class RemoteBuffer {
  public:
    RemoteBuffer(HWND window, std::size_t bytes) {
        DWORD processId = 0;
        GetWindowThreadProcessId(window, &processId);
        process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
                               processId);
        if (process_ != nullptr) {
            memory_ = static_cast<char*>(
                VirtualAllocEx(process_, nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
        }
    }
    ~RemoteBuffer() {
        if (memory_ != nullptr) VirtualFreeEx(process_, memory_, 0, MEM_RELEASE);
        if (process_ != nullptr) CloseHandle(process_);
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    char* At(std::size_t offset) const { return memory_ + offset; }
    bool Write(std::size_t offset, const void* data, std::size_t bytes) const {
        return memory_ != nullptr &&
               WriteProcessMemory(process_, memory_ + offset, data, bytes, nullptr) != FALSE;
    }
    bool Read(std::size_t offset, void* data, std::size_t bytes) const {
        return memory_ != nullptr &&
               ReadProcessMemory(process_, memory_ + offset, data, bytes, nullptr) != FALSE;
    }
    std::wstring ReadText(std::size_t offset, std::size_t chars) const {
        std::vector<wchar_t> text(chars + 1, L'\0');
        if (memory_ == nullptr || !ReadProcessMemory(process_, memory_ + offset, text.data(),
                                                     chars * sizeof(wchar_t), nullptr)) {
            return L"<unreadable>";
        }
        return text.data();
    }

  private:
    HANDLE process_ = nullptr;
    char* memory_ = nullptr;
};

constexpr std::size_t kTextChars = 512;

std::wstring ListText(HWND list, int row, int column) {
    RemoteBuffer remote(list, sizeof(LVITEMW) + kTextChars * sizeof(wchar_t));
    LVITEMW item = {};
    item.iSubItem = column;
    item.cchTextMax = kTextChars;
    item.pszText = reinterpret_cast<wchar_t*>(remote.At(sizeof item));
    if (!remote.Write(0, &item, sizeof item)) return L"<unwritable>";
    SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(remote.At(0)));
    return remote.ReadText(sizeof item, kTextChars - 1);
}

int RowCount(HWND list) {
    return static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
}

bool RowChecked(HWND list, int row) {
    const auto state = static_cast<UINT>(
        SendMessageW(list, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_STATEIMAGEMASK));
    return (state & LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2);
}

int FocusedRow(HWND list) {
    return static_cast<int>(
        SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), MAKELPARAM(LVNI_FOCUSED, 0)));
}

struct TooltipSearch {
    DWORD processId;
    std::vector<HWND> tooltips;
};

// A named callback, not a lambda: a lambda converts only to a default
// calling convention function pointer, which is not WNDENUMPROC in 32-bit.
BOOL CALLBACK CollectTooltip(HWND window, LPARAM context) {
    auto* found = reinterpret_cast<TooltipSearch*>(context);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (processId == found->processId && lstrcmpW(name, TOOLTIPS_CLASSW) == 0) {
        found->tooltips.push_back(window);
    }
    return TRUE;
}

// The text of the tool `control` of `page`, from whichever of the program's
// tooltips holds that tool.
std::wstring ToolText(HWND page, HWND control) {
    TooltipSearch search{0, {}};
    GetWindowThreadProcessId(page, &search.processId);
    EnumWindows(CollectTooltip, reinterpret_cast<LPARAM>(&search));
    for (HWND tooltip : search.tooltips) {
        RemoteBuffer remote(tooltip, sizeof(TOOLINFOW) + kTextChars * sizeof(wchar_t));
        TOOLINFOW tool = {};
        tool.cbSize = sizeof tool;
        tool.hwnd = page;
        tool.uId = reinterpret_cast<UINT_PTR>(control);
        tool.lpszText = reinterpret_cast<wchar_t*>(remote.At(sizeof tool));
        const wchar_t empty = L'\0';
        if (!remote.Write(0, &tool, sizeof tool) ||
            !remote.Write(sizeof tool, &empty, sizeof empty))
            return L"<unwritable>";
        SendMessageW(tooltip, TTM_GETTEXTW, kTextChars, reinterpret_cast<LPARAM>(remote.At(0)));
        const std::wstring text = remote.ReadText(sizeof tool, kTextChars - 1);
        if (!text.empty()) return text;
    }
    return L"<no tool>";
}

using gui::SaveScreenArea;
using gui::WaitUntil;

class AccountDialog : public Scenario {
  protected:
    std::wstring Program() const { return ProgramFolder() + L"LdgSel18ToQb16_G.exe"; }
    std::wstring SavedFile() const { return conditionsFolder_ + L"QB16_G_admin_1_12.env"; }

    // Starts the program and goes to the main accounts page; its item 2 button.
    HWND OpenMainAccountsPage(HWND* sheet) {
        Start(L"", Program());
        *sheet = gui::WaitForWindowTitled(kSheetTitle);
        if (*sheet == nullptr) return nullptr;
        gui::PressKey(*sheet, VK_F6);
        HWND button = gui::FindControl(*sheet, IDB_ITEM2);
        if (button == nullptr || !WaitUntil([button] { return IsWindowVisible(button) != FALSE; }))
            return nullptr;
        return button;
    }
    // Clicks the button and waits for the dialog with its list filled.
    HWND OpenDialog(HWND sheet, HWND button) {
        gui::MouseClick(sheet, button);
        HWND dialog = gui::WaitForWindowTitled(kDialogTitle);
        if (dialog == nullptr) return nullptr;
        HWND list = GetDlgItem(dialog, IDL_ACCOUNTS);
        if (!WaitUntil([list] { return RowCount(list) > 0; })) return nullptr;
        return dialog;
    }
    void LeaveKeepingInput(HWND sheet) {
        gui::PressKey(sheet, VK_ESCAPE);
        HWND box = gui::WaitForMessageBox();
        ASSERT_NE(box, nullptr) << "no exit question";
        EXPECT_EQ(gui::MessageBoxText(box), kKeepInput);
        gui::PressButton(box, IDYES);
        ASSERT_TRUE(gui::WaitUntilGone(box));
        ExpectMessageAndConfirm(kStopped);
    }
};

TEST_F(AccountDialog, CheckedAccountIsSavedAndShownInTheNextRun) {
    WriteState(kAccounts);
    HWND sheet = nullptr;
    HWND button = OpenMainAccountsPage(&sheet);
    ASSERT_NE(button, nullptr) << "the main accounts page did not show";
    HWND page = GetParent(button);
    // The edition maps item 2 to account 4120 by default.
    EXPECT_EQ(ToolText(page, button), L"兼業売上高");

    HWND dialog = OpenDialog(sheet, button);
    ASSERT_NE(dialog, nullptr) << "the dialog did not open with its accounts";
    EXPECT_FALSE(IsWindowEnabled(sheet)) << "the dialog is modal";
    EXPECT_EQ(gui::WindowText(GetDlgItem(dialog, IDT_ITEM_CAPTION)), L"うち兼業売上（収入）高");
    HWND list = GetDlgItem(dialog, IDL_ACCOUNTS);
    // The item's class only, main accounts only, in the table's order.
    ASSERT_EQ(RowCount(list), 2);
    EXPECT_EQ(ListText(list, 0, 0), L"4120");
    EXPECT_EQ(ListText(list, 0, 1), L"兼業売上高");
    EXPECT_EQ(ListText(list, 1, 0), L"4130");
    EXPECT_EQ(ListText(list, 1, 1), L"兼業雑収入");
    EXPECT_TRUE(RowChecked(list, 0));
    EXPECT_FALSE(RowChecked(list, 1));
    EXPECT_FALSE(gui::IsChecked(GetDlgItem(dialog, IDX_SHOW_ALL_ACCOUNTS)));
    EXPECT_EQ(gui::FocusedControlId(dialog), IDL_ACCOUNTS);

    // Down to the second row, Space checks it.
    for (int presses = 0; presses < 3 && FocusedRow(list) != 1; ++presses) {
        const int before = FocusedRow(list);
        gui::PressKey(dialog, VK_DOWN);
        WaitUntil([list, before] { return FocusedRow(list) != before; }, 2000);
    }
    ASSERT_EQ(FocusedRow(list), 1);
    gui::PressKey(dialog, VK_SPACE);
    ASSERT_TRUE(WaitUntil([list] { return RowChecked(list, 1); })) << "Space did not check";
    gui::PressKey(dialog, VK_F12);
    ASSERT_TRUE(gui::WaitUntilGone(dialog)) << "F12 did not apply";
    EXPECT_TRUE(IsWindowEnabled(sheet));
    EXPECT_TRUE(WaitUntil([page, button] {
        return ToolText(page, button) == L"兼業売上高 / 兼業雑収入";
    })) << "the tooltip was not refreshed";

    LeaveKeepingInput(sheet);
    EXPECT_EQ(Finish().exitCode, 1u);
    const std::string saved = ReadFileBytes(SavedFile());
    const std::string entries = std::string(kMapped4120) + "\n" + kMapped4130 + "\n";
    EXPECT_NE(saved.find(entries), std::string::npos) << saved;

    // The next run opens with both accounts checked.
    button = OpenMainAccountsPage(&sheet);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(ToolText(GetParent(button), button), L"兼業売上高 / 兼業雑収入");
    dialog = OpenDialog(sheet, button);
    ASSERT_NE(dialog, nullptr);
    list = GetDlgItem(dialog, IDL_ACCOUNTS);
    ASSERT_EQ(RowCount(list), 2);
    EXPECT_TRUE(RowChecked(list, 0));
    EXPECT_TRUE(RowChecked(list, 1));
    gui::PressKey(dialog, VK_ESCAPE);
    ASSERT_TRUE(gui::WaitUntilGone(dialog)) << "Esc did not cancel";
    CancelSheetWithoutSaving(sheet);
    EXPECT_EQ(Finish().exitCode, 1u);
}

TEST_F(AccountDialog, EnterWalksToTheApplyButtonAndModifiedKeysDoNothing) {
    WriteState(kAccounts);
    HWND sheet = nullptr;
    HWND button = OpenMainAccountsPage(&sheet);
    ASSERT_NE(button, nullptr);
    HWND dialog = OpenDialog(sheet, button);
    ASSERT_NE(dialog, nullptr);
    // The list has the focus.
    gui::PressKey(dialog, VK_F12, true);
    gui::PressKey(dialog, VK_RETURN, false, true);
    gui::PressKey(dialog, VK_RETURN);
    ASSERT_TRUE(
        WaitUntil([dialog] { return gui::FocusedControlId(dialog) == IDX_SHOW_ALL_ACCOUNTS; }));
    EXPECT_TRUE(IsWindowVisible(dialog)) << "Shift+F12 or Ctrl+Enter applied";
    gui::PressKey(dialog, VK_RETURN);
    ASSERT_TRUE(
        WaitUntil([dialog] { return gui::FocusedControlId(dialog) == IDB_APPLY_SELECTION; }));
    gui::PressKey(dialog, VK_RETURN);
    ASSERT_TRUE(gui::WaitUntilGone(dialog)) << "Enter on the apply button did not apply";
    CancelSheetWithoutSaving(sheet);
    EXPECT_EQ(Finish().exitCode, 1u);
}

TEST_F(AccountDialog, EnterOnAnItemButtonOpensTheDialogAndModifiedEnterDoesNot) {
    WriteState(kAccounts);
    HWND sheet = nullptr;
    HWND button = OpenMainAccountsPage(&sheet);
    ASSERT_NE(button, nullptr);
    HWND dialog = OpenDialog(sheet, button);
    ASSERT_NE(dialog, nullptr);
    gui::PressKey(dialog, VK_ESCAPE);
    ASSERT_TRUE(gui::WaitUntilGone(dialog));
    // The clicked button keeps the focus.
    ASSERT_TRUE(WaitUntil([sheet] { return gui::FocusedControlId(sheet) == IDB_ITEM2; }));

    gui::PressKey(sheet, VK_RETURN, true);
    gui::PressKey(sheet, VK_RETURN, false, true);
    gui::PressKey(sheet, VK_RETURN);
    dialog = gui::WaitForWindowTitled(kDialogTitle);
    ASSERT_NE(dialog, nullptr) << "Enter did not press the button";
    // Had a modified Enter opened the dialog, the plain Enter would have
    // moved the focus from the list to the check box.
    EXPECT_EQ(gui::FocusedControlId(dialog), IDL_ACCOUNTS);
    gui::PressKey(dialog, VK_ESCAPE);
    ASSERT_TRUE(gui::WaitUntilGone(dialog));
    CancelSheetWithoutSaving(sheet);
    EXPECT_EQ(Finish().exitCode, 1u);
}

// Item 2 of the sample dataset 12 holds 4120 (credits of 4,184,200 yen over
// the year, tax excluded); adding 4130 (debits of 365,200 yen) makes it
// 3,819,000 yen.
TEST_F(AccountDialog, TheRunFollowsTheMappingChangedInTheDialog) {
    const std::string state = SampleState(12, folder_);
    ASSERT_FALSE(state.empty()) << "the sample state has changed its layout";
    WriteFileBytes(statePath_, state);
    const std::wstring output = folder_ + L"overview.xml";
    Start(L"--function-id 2 --output \"" + output + L"\"", Program());
    HWND sheet = gui::WaitForWindowTitled(kSheetTitle);
    ASSERT_NE(sheet, nullptr);
    gui::PressKey(sheet, VK_F6);
    HWND button = gui::FindControl(sheet, IDB_ITEM2);
    ASSERT_TRUE(button != nullptr &&
                WaitUntil([button] { return IsWindowVisible(button) != FALSE; }));
    HWND dialog = OpenDialog(sheet, button);
    ASSERT_NE(dialog, nullptr);
    HWND list = GetDlgItem(dialog, IDL_ACCOUNTS);
    gui::MouseClick(dialog, GetDlgItem(dialog, IDX_SHOW_ALL_ACCOUNTS));
    int row = -1;
    ASSERT_TRUE(WaitUntil([list, &row] {
        for (row = RowCount(list) - 1; row >= 0 && ListText(list, row, 0) != L"4130"; --row) {
        }
        return row >= 0;
    })) << "4130 is not listed with all accounts";
    SendMessageW(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
    // A click on the row's check box.
    RemoteBuffer remote(list, sizeof(RECT));
    RECT bounds = {LVIR_BOUNDS, 0, 0, 0};
    ASSERT_TRUE(remote.Write(0, &bounds, sizeof bounds));
    SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(remote.At(0)));
    ASSERT_TRUE(remote.Read(0, &bounds, sizeof bounds));
    RECT window = {};
    GetWindowRect(list, &window);
    POINT origin = {0, 0};
    ClientToScreen(list, &origin);
    gui::MouseClick(dialog, list, false, origin.x - window.left + bounds.left + 8,
                    origin.y - window.top + (bounds.top + bounds.bottom) / 2);
    ASSERT_TRUE(WaitUntil([list, row] { return RowChecked(list, row); }))
        << "the click did not check 4130";
    gui::PressKey(dialog, VK_F12);
    ASSERT_TRUE(gui::WaitUntilGone(dialog)) << "F12 did not apply";

    gui::PressKey(sheet, VK_F12);
    HWND box = gui::WaitForMessageBox();
    ASSERT_NE(box, nullptr) << "no closing message";
    gui::PressKey(box, VK_RETURN);
    ASSERT_TRUE(gui::WaitUntilGone(box));
    EXPECT_EQ(Finish().exitCode, 0u);
    const std::string document = ReadFileBytes(output);
    EXPECT_NE(document.find("<KENGYOUURIAGEDAKA>3819000</KENGYOUURIAGEDAKA>"), std::string::npos)
        << document.substr(0, 2000);
}

bool IsVisibleTooltip(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return lstrcmpW(name, TOOLTIPS_CLASSW) == 0;
}

bool IsPopupMenu(HWND window) {
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    return lstrcmpW(name, L"#32768") == 0;
}

RECT BoundsOf(HWND window) {
    RECT bounds = {};
    GetWindowRect(window, &bounds);
    return bounds;
}

// Pictures for a person to look at, in build/win64/e2e-output/: the main
// accounts page with a button's tooltip, the dialog, and the dialog with its
// popup menu.
TEST_F(AccountDialog, ScreenshotsOfTheTooltipTheDialogAndItsMenu) {
    WriteState(kAccounts);
    const std::wstring kept = ProgramFolder() + L"..\\e2e-output\\";
    CreateDirectoryW(kept.c_str(), nullptr);
    HWND sheet = nullptr;
    HWND button = OpenMainAccountsPage(&sheet);
    ASSERT_NE(button, nullptr);

    // The page relays the mouse moves: the tip appears over the button.
    gui::MoveMouseOver(sheet, button);
    HWND tip = gui::WaitForWindow(IsVisibleTooltip);
    ASSERT_NE(tip, nullptr) << "no tooltip over the item button";
    RECT area = BoundsOf(sheet);
    const RECT tipBounds = BoundsOf(tip);
    UnionRect(&area, &area, &tipBounds);
    SaveScreenArea(area, kept + L"main_accounts_tooltip.bmp");

    HWND dialog = OpenDialog(sheet, button);
    ASSERT_NE(dialog, nullptr);
    SaveScreenArea(BoundsOf(dialog), kept + L"account_dialog.bmp");
    HWND list = GetDlgItem(dialog, IDL_ACCOUNTS);
    const RECT listBounds = BoundsOf(list);
    // Below the last row: the menu opens there too.
    gui::MouseClick(dialog, list, true, 40, (listBounds.bottom - listBounds.top) - 20);
    HWND menu = gui::WaitForWindow(IsPopupMenu);
    ASSERT_NE(menu, nullptr) << "no popup menu";
    area = BoundsOf(dialog);
    const RECT menuBounds = BoundsOf(menu);
    UnionRect(&area, &area, &menuBounds);
    SaveScreenArea(area, kept + L"account_dialog_menu.bmp");
    gui::PressKey(dialog, VK_ESCAPE);
    ASSERT_TRUE(gui::WaitUntilGone(menu));
    gui::PressKey(dialog, VK_ESCAPE);
    ASSERT_TRUE(gui::WaitUntilGone(dialog));
    CancelSheetWithoutSaving(sheet);
    EXPECT_EQ(Finish().exitCode, 1u);
}

}  // namespace
