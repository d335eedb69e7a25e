// The account selection dialog as a person uses it: from an item button on
// the main accounts page, check an account, "設定(F12)", keep the input, and
// find the new mapping in the saved conditions, in the next run's dialog and
// in the button's tooltip.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <prsht.h>

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
const std::wstring kNothingOverTheYear = L"合計 0円（2025年4月～2026年3月・税抜）";

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
    // The edition maps item 2 to account 4120 by default; the dataset has
    // no totals.
    EXPECT_EQ(ToolText(page, button), L"兼業売上高：0円\r\n" + kNothingOverTheYear);

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
        return ToolText(page, button) ==
               L"兼業売上高：0円\r\n兼業雑収入：0円\r\n" + kNothingOverTheYear;
    })) << "the tooltip was not refreshed";

    LeaveKeepingInput(sheet);
    EXPECT_EQ(Finish().exitCode, 1u);
    const std::string saved = ReadFileBytes(SavedFile());
    const std::string entries = std::string(kMapped4120) + "\n" + kMapped4130 + "\n";
    EXPECT_NE(saved.find(entries), std::string::npos) << saved;

    // The next run opens with both accounts checked.
    button = OpenMainAccountsPage(&sheet);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(ToolText(GetParent(button), button),
              L"兼業売上高：0円\r\n兼業雑収入：0円\r\n" + kNothingOverTheYear);
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

// The page the sheet shows.
HWND CurrentPage(HWND sheet) {
    return reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

// The whole yen of an element of the XML, 0 when it is empty or missing.
long long XmlYen(const std::string& document, const std::string& element) {
    const std::string open = "<" + element + ">";
    const std::size_t at = document.find(open);
    if (at == std::string::npos) return 0;
    const std::string text =
        document.substr(at + open.size(), document.find('<', at + open.size()) - at - open.size());
    return text.empty() ? 0 : std::stoll(text);
}

std::wstring TotalLine(long long yen, const std::wstring& period) {
    std::wstring digits = std::to_wstring(yen < 0 ? -yen : yen);
    for (std::size_t at = digits.size(); at > 3; at -= 3)
        digits.insert(at - 3, L",");
    return L"合計 " + std::wstring(yen < 0 ? L"-" : L"") + digits + L"円" + period;
}

class AccountDialogAmounts : public AccountDialog {
  protected:
    // The sample company's dataset 12, its journal kept, `results` (JSON
    // members) given to the stand-in.
    void StartSample(const std::string& results = "") {
        const std::string extra = "\"journal\": " + JsonString(journalPath_) +
                                  (results.empty() ? "" : ", \"results\": {" + results + "}");
        const std::string state = SampleState(12, folder_, extra);
        ASSERT_FALSE(state.empty()) << "the sample state has changed its layout";
        WriteFileBytes(statePath_, state);
        Start(L"--function-id 2 --output \"" + Output() + L"\"", Program());
        sheet_ = gui::WaitForWindowTitled(kSheetTitle);
        ASSERT_NE(sheet_, nullptr);
    }
    std::wstring Output() const { return folder_ + L"overview.xml"; }
    // The dialog of the item button `id` on the page the key `pageKey`
    // brings (pages 2 and 3 number their buttons alike).
    HWND OpenItemDialog(WORD pageKey, int id) {
        HWND before = CurrentPage(sheet_);
        gui::PressKey(sheet_, pageKey);
        if (!WaitUntil([&] { return CurrentPage(sheet_) != before; })) return nullptr;
        HWND button = GetDlgItem(CurrentPage(sheet_), id);
        if (button == nullptr || !WaitUntil([button] { return IsWindowVisible(button) != FALSE; }))
            return nullptr;
        return OpenDialog(sheet_, button);
    }
    // The total line of item button `id`'s dialog, which is then cancelled.
    std::wstring TotalOf(WORD pageKey, int id) {
        HWND dialog = OpenItemDialog(pageKey, id);
        if (dialog == nullptr) return L"<no dialog>";
        const std::wstring total = gui::WindowText(GetDlgItem(dialog, IDT_TOTAL));
        gui::PressKey(dialog, VK_ESCAPE);
        if (!gui::WaitUntilGone(dialog)) return L"<dialog stays>";
        return total;
    }
    std::string RunAndReadXml() {
        gui::PressKey(sheet_, VK_F12);
        HWND box = gui::WaitForMessageBox();
        if (box == nullptr) return "";
        gui::PressKey(box, VK_RETURN);
        gui::WaitUntilGone(box);
        if (Finish().exitCode != 0) return "";
        return ReadFileBytes(Output());
    }
    long BeginTotalsLines() const {
        long lines = 0;
        for (const std::string& line : Journal())
            lines += line.rfind("BeginTotals", 0) == 0 ? 1 : 0;
        return lines;
    }

    HWND sheet_ = nullptr;
};

// Cash and deposits (item 21) and the monthly sales (item 36): each total
// line is what the XML holds after "実行(F12)", over the whole year and over
// April to September; the sheet reads the host's totals once, before it ends.
TEST_F(AccountDialogAmounts, TotalLinesAreTheXmlValuesForTheYearAndAnotherEndMonth) {
    const struct {
        const wchar_t* endMonth;  // typed on page 1, or nothing
        const wchar_t* period;
        int months;
    } cases[] = {{nullptr, L"（2025年4月～2026年3月・税抜）", 12},
                 {L"9", L"（2025年4月～2025年9月・税抜）", 6}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.months);
        DeleteFileW(journalPath_.c_str());
        DeleteFileW(Output().c_str());
        ASSERT_NO_FATAL_FAILURE(StartSample());
        if (c.endMonth != nullptr) {
            gui::SetControlText(gui::FindControl(sheet_, IDE_END_MONTH), c.endMonth);
        }
        const std::wstring cash = TotalOf(VK_F6, IDB_ITEM21);
        const std::wstring sales = TotalOf(VK_F6, IDB_ITEM36);
        const std::string document = RunAndReadXml();
        ASSERT_FALSE(document.empty()) << "no report written";
        EXPECT_EQ(cash, TotalLine(XmlYen(document, "GENKINYOKIN"), c.period));
        long long monthly = 0;
        for (int month = 1; month <= 12; ++month) {
            monthly += XmlYen(document, "TUKIURIAGE" + std::string(month < 10 ? "0" : "") +
                                            std::to_string(month));
        }
        EXPECT_NE(monthly, 0);
        EXPECT_EQ(sales, TotalLine(monthly, c.period));
        // The sheet's own query of every slot, then the run's, as before.
        EXPECT_EQ(BeginTotalsLines(), 2) << ReadFileBytes(journalPath_);
        EXPECT_TRUE(JournalInOrder(
            {"BeginTotals 1 0 0 0 month>=1 and month<=12 or month=15 or "
             "month=18",
             "EndTotals", "BeginTotals 1 0 0 0 month>=1 and month<=", "EndTotals", "SignOut"}))
            << ReadFileBytes(journalPath_);
    }
    EXPECT_EQ(ReadFileBytes(journalPath_).find("month<=12 or month=18"), std::string::npos)
        << "the second run aggregated April to September";
}

// The stand-in fails the process's first totals query only: the sheet has
// no amounts to show, and the run's own query writes the golden document.
TEST_F(AccountDialogAmounts, AFailingTotalsQueryLeavesTheSheetWithoutAmountsAndTheRunAsBefore) {
    ASSERT_NO_FATAL_FAILURE(StartSample(R"("firstQueryGetRowCount": 3)"));
    HWND dialog = OpenItemDialog(VK_F6, IDB_ITEM2);
    ASSERT_NE(dialog, nullptr);
    HWND list = GetDlgItem(dialog, IDL_ACCOUNTS);
    EXPECT_EQ(gui::WindowText(GetDlgItem(dialog, IDT_TOTAL)), L"金額を表示できません");
    EXPECT_EQ(ListText(list, 0, 0), L"4120");
    EXPECT_EQ(ListText(list, 0, 2), L"") << "no amount in the column";
    gui::PressKey(dialog, VK_ESCAPE);
    ASSERT_TRUE(gui::WaitUntilGone(dialog));
    HWND button = GetDlgItem(CurrentPage(sheet_), IDB_ITEM2);
    EXPECT_EQ(ToolText(GetParent(button), button), L"兼業売上高") << "the tip as without amounts";
    const std::string document = RunAndReadXml();
    const std::string golden =
        ReadFileBytes(HostPath(LDG_SOURCE_DIR "/tests/e2e/golden/LdgSel18ToQb16_G_12.xml"));
    ASSERT_FALSE(golden.empty());
    EXPECT_EQ(document, golden);
    EXPECT_TRUE(JournalInOrder({"BeginTotals 1 0 0 0 month>=1 and month<=12 or month=15",
                                "GetRowCount", "EndTotals", "BeginTotals", "GetRowCount",
                                "SeekRow 0", "NextRow", "EndTotals"}))
        << ReadFileBytes(journalPath_);
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
