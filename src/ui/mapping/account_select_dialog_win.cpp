// The account selection dialog's window (template 210): a virtual list of
// accounts with check boxes and their amounts, fed from the dialog's rows,
// and the total line under it, run in the program's modal loop so that the
// dialog's keys are seen before the dialog manager's.
#include <windows.h>

#include <commctrl.h>

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string>
#include <vector>

#include "platform/win/code_page.h"
#include "platform/win/dialog_win.h"
#include "platform/win/key_message_win.h"
#include "platform/win/modal_loop_win.h"
#include "res/account_dialog_res.h"
#include "ui/mapping/account_select_window.h"

namespace {

// The list's columns share its width in sixteenths: the name takes what
// the code, the amount and the other items leave (and the remainder of the
// division).
constexpr int kWidthUnits = 16;
struct ColumnShare {
    const char* title;
    int units;
    int format;
};
constexpr ColumnShare kColumns[] = {
    {"コード", 2, LVCFMT_LEFT},
    {"科目名", 7, LVCFMT_LEFT},
    {"金額", 3, LVCFMT_RIGHT},
    {"他の項目", 4, LVCFMT_LEFT},
};
constexpr int kNameColumn = 1;

constexpr UINT kCheckedState = INDEXTOSTATEIMAGEMASK(2);
constexpr UINT kClearState = INDEXTOSTATEIMAGEMASK(1);

class AccountSelectWindow final : public Dialog {
  public:
    explicit AccountSelectWindow(ClAccountSelectDialog& dialog) : dialog_(dialog) {}

    int Run(HWND owner);

  protected:
    bool OnInit() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnNotify(int id, NMHDR& header) override;

  private:
    void SetUpList();
    // Copies the dialog's rows and their checks into the list.
    void ShowRows();
    // The total line under the list, after every change of the checks.
    void ShowTotal();
    void ShowListMenu();
    // A row's texts and check, when the list draws or is asked for them.
    void ShowRow(LVITEMW& item);
    void ToggleRow(int row);
    void Apply();
    // The dialog's key filter, for a message to the dialog's window or, on
    // its way, to `child`.
    bool FilterKey(const MSG& message, HWND child);

    ClAccountSelectDialog& dialog_;
    HWND list_ = nullptr;
    std::uint32_t shownGeneration_ = 0;
    ModalLoop* loop_ = nullptr;
};

bool AccountSelectWindow::OnInit() {
    SetDlgItemTextW(Handle(), IDT_ITEM_CAPTION, WideFromCp932(dialog_.captionText).c_str());
    list_ = Item(IDL_ACCOUNTS);
    SetUpList();
    dialog_.Initialise();
    CheckDlgButton(Handle(), IDX_SHOW_ALL_ACCOUNTS,
                   dialog_.ShowAllAccounts() ? BST_CHECKED : BST_UNCHECKED);
    ShowRows();
    ShowTotal();
    SetFocus(list_);
    return false;
}

void AccountSelectWindow::SetUpList() {
    ListView_SetExtendedListViewStyleEx(list_, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT,
                                        LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    // A list of tens of thousands of accounts holds no rows of its own.
    ListView_SetCallbackMask(list_, LVIS_STATEIMAGEMASK);
    RECT client = {};
    GetClientRect(list_, &client);
    const int width = client.right - client.left;
    const int unit = width / kWidthUnits;
    // The list is still empty here: the name column leaves room for the
    // vertical scroll bar a long list gets, so no horizontal one is needed.
    const bool hasVerticalBar = (GetWindowLongPtrW(list_, GWL_STYLE) & WS_VSCROLL) != 0;
    for (int index = 0; index < static_cast<int>(std::size(kColumns)); ++index) {
        const ColumnShare& share = kColumns[index];
        const std::wstring title = WideFromCp932(share.title);
        LVCOLUMNW column = {};
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        column.fmt = share.format;
        column.cx = share.units * unit;
        if (index == kNameColumn) {
            column.cx +=
                width % kWidthUnits - (hasVerticalBar ? 0 : GetSystemMetrics(SM_CXVSCROLL));
        }
        column.pszText = const_cast<wchar_t*>(title.c_str());
        column.iSubItem = index;
        ListView_InsertColumn(list_, index, &column);
    }
}

void AccountSelectWindow::ShowTotal() {
    SetDlgItemTextW(Handle(), IDT_TOTAL, WideFromCp932(dialog_.TotalText()).c_str());
}

void AccountSelectWindow::ShowRows() {
    const std::size_t rows = dialog_.Rows().size();
    if (dialog_.RowsGeneration() != shownGeneration_ ||
        static_cast<std::size_t>(ListView_GetItemCount(list_)) != rows) {
        // A new listing starts at the top with nothing selected.
        ListView_DeleteAllItems(list_);
        ListView_SetItemCountEx(list_, static_cast<int>(rows), 0);
        shownGeneration_ = dialog_.RowsGeneration();
    }
    // The rows' texts and checks are asked for when they are drawn.
    InvalidateRect(list_, nullptr, TRUE);
}

void AccountSelectWindow::ToggleRow(int row) {
    const std::vector<ClAccountSelectDialog::AccountRow>& rows = dialog_.Rows();
    if (row < 0 || static_cast<std::size_t>(row) >= rows.size()) return;
    dialog_.OnRowCheckToggled(static_cast<std::size_t>(row),
                              !rows[static_cast<std::size_t>(row)].checked);
    ListView_RedrawItems(list_, row, row);
    ShowTotal();
}

bool AccountSelectWindow::OnCommand(int id, int code, HWND) {
    switch (id) {
        case IDX_SHOW_ALL_ACCOUNTS:
            if (code != BN_CLICKED) return false;
            dialog_.OnShowAllToggled(IsDlgButtonChecked(Handle(), IDX_SHOW_ALL_ACCOUNTS) ==
                                     BST_CHECKED);
            ShowRows();
            ShowTotal();
            return true;
        case IDB_APPLY_SELECTION:
            if (code == BN_CLICKED) Apply();
            return true;
        case IDB_CANCEL_SELECTION:
        case IDCANCEL:
            // The button, Esc and the close box.
            loop_->End(ClAccountSelectDialog::kCancelledResult);
            return true;
        case IDOK:
            // Enter where no key rule applies: the dialog has no default button.
            return true;
        default:
            return false;
    }
}

bool AccountSelectWindow::OnNotify(int id, NMHDR& header) {
    if (id != IDL_ACCOUNTS) return false;
    // The list keeps no checks of its own (it asks for them when it draws):
    // a click on a row's check box and Space on the focused row toggle it.
    if (header.code == NM_CLICK) {
        const auto& click = reinterpret_cast<const NMITEMACTIVATE&>(header);
        LVHITTESTINFO hit = {};
        hit.pt = click.ptAction;
        if (ListView_SubItemHitTest(list_, &hit) >= 0 && (hit.flags & LVHT_ONITEMSTATEICON) != 0) {
            ToggleRow(hit.iItem);
        }
        return true;
    }
    if (header.code == LVN_KEYDOWN) {
        if (reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey == VK_SPACE) {
            ToggleRow(ListView_GetNextItem(list_, -1, LVNI_FOCUSED));
        }
        return true;
    }
    if (header.code == NM_RCLICK) {
        ShowListMenu();
        return true;
    }
    if (header.code == LVN_GETDISPINFOW) {
        ShowRow(reinterpret_cast<NMLVDISPINFOW&>(header).item);
        return true;
    }
    return false;
}

void AccountSelectWindow::ShowRow(LVITEMW& item) {
    const std::vector<ClAccountSelectDialog::AccountRow>& rows = dialog_.Rows();
    if (item.iItem < 0 || static_cast<std::size_t>(item.iItem) >= rows.size()) return;
    const ClAccountSelectDialog::AccountRow& row = rows[static_cast<std::size_t>(item.iItem)];
    if ((item.mask & LVIF_TEXT) != 0 && item.cchTextMax > 0) {
        const std::string* const texts[] = {&row.codeText, &row.nameText, &row.amountText,
                                            &row.otherItemsText};
        const std::wstring text =
            item.iSubItem >= 0 && item.iSubItem < static_cast<int>(std::size(texts))
                ? WideFromCp932(*texts[item.iSubItem])
                : std::wstring();
        lstrcpynW(item.pszText, text.c_str(), item.cchTextMax);
    }
    if ((item.mask & LVIF_STATE) != 0) {
        item.state =
            (item.state & ~LVIS_STATEIMAGEMASK) | (row.checked ? kCheckedState : kClearState);
        item.stateMask |= LVIS_STATEIMAGEMASK;
    }
}

void AccountSelectWindow::ShowListMenu() {
    HMENU menu = CreatePopupMenu();
    if (menu == nullptr) return;
    for (int command = 1; command <= ClAccountSelectDialog::kListMenuCommandCount; ++command) {
        AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(command),
                    WideFromCp932(ClAccountSelectDialog::kListMenuTexts[command - 1]).c_str());
    }
    const DWORD position = GetMessagePos();
    const int chosen = static_cast<int>(TrackPopupMenu(
        menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, static_cast<short>(LOWORD(position)),
        static_cast<short>(HIWORD(position)), 0, Handle(), nullptr));
    DestroyMenu(menu);
    if (chosen == 0) return;
    dialog_.OnListMenuCommand(chosen);
    CheckDlgButton(Handle(), IDX_SHOW_ALL_ACCOUNTS,
                   dialog_.ShowAllAccounts() ? BST_CHECKED : BST_UNCHECKED);
    ShowRows();
    ShowTotal();
}

void AccountSelectWindow::Apply() {
    dialog_.ApplySelection();
    loop_->End(ClAccountSelectDialog::kAppliedResult);
}

bool AccountSelectWindow::FilterKey(const MSG& message, HWND child) {
    if (!IsKeyMessage(message)) return false;
    using Focus = ClAccountSelectDialog::KeyFocus;
    Focus focus = Focus::kElsewhere;
    if (child == list_) {
        focus = Focus::kList;
    } else if (child == Item(IDX_SHOW_ALL_ACCOUNTS) && child == message.hwnd) {
        focus = Focus::kShowAllBox;
    } else if (child == Item(IDB_APPLY_SELECTION) && child == message.hwnd) {
        focus = Focus::kApplyButton;
    }
    switch (ClAccountSelectDialog::DecideKey(KeyMessageOf(message), focus)) {
        case ClAccountSelectDialog::KeyAction::kFocusShowAllBox:
            SetFocus(Item(IDX_SHOW_ALL_ACCOUNTS));
            return true;
        case ClAccountSelectDialog::KeyAction::kFocusApplyButton:
            SetFocus(Item(IDB_APPLY_SELECTION));
            return true;
        case ClAccountSelectDialog::KeyAction::kApply:
            Apply();
            return true;
        case ClAccountSelectDialog::KeyAction::kPass:
            return false;
    }
    return false;
}

int AccountSelectWindow::Run(HWND owner) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    ModalLoop loop(owner, ClAccountSelectDialog::kCancelledResult);
    loop_ = &loop;
    if (CreateModeless(IDD_ACCOUNT_SELECT, owner) == nullptr) {
        return ClAccountSelectDialog::kCancelledResult;
    }
    loop.AddFilter(Handle(),
                   [this](const MSG& message, HWND child) { return FilterKey(message, child); });
    const int result = loop.Run(Handle(), ModalLoop::Kind::kDialog);
    Destroy();
    return result;
}

}  // namespace

int RunAccountSelectWindow(ClAccountSelectDialog& dialog, WindowRef owner) {
    AccountSelectWindow window(dialog);
    return window.Run(static_cast<HWND>(owner));
}
