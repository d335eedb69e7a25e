// The condition entry sheet's window: a tabbed property sheet run in a
// modal loop of our own, so that the sheet's key filter sees every key
// before the dialog manager does.
#include <windows.h>

#include <commctrl.h>
#include <commdlg.h>
#include <prsht.h>

#include <array>
#include <exception>
#include <string>

#include "platform/win/code_page.h"
#include "platform/win/key_message_win.h"
#include "platform/win/message_box_win.h"
#include "res/condition_sheet_res.h"
#include "ui/mapping/account_select_dialog.h"
#include "ui/mapping/account_select_window.h"
#include "ui/mapping/mapped_accounts_text.h"
#include "ui/sheet/condition_sheet_window.h"
#include "ui/sheet/own_buttons.h"

namespace {

constexpr int kApplyButtonId = 0x3021;
constexpr UINT_PTR kSubclassId = 1;

class Win32ConditionSheet;

struct PageContext {
    Win32ConditionSheet* owner;
    int index;
};

// A mapping page (2 or 3): its item buttons and the tooltip that lists each
// button's accounts.
struct MappingPageWindow {
    MappingPage kind;
    HWND page = nullptr;
    HWND tooltip = nullptr;
};

constexpr int kTooltipWidth = 800;

// Page 1's controls. Texts pushed by the program raise change
// notifications too; `pushing` keeps them from reaching the page.
class Win32Page1View : public Page1View {
  public:
    HWND page = nullptr;
    HWND sheet = nullptr;
    bool pushing = false;

    void ShowTexts(const std::string& companyText, const std::string& periodText,
                   const std::string& startMonthText, const std::string& endMonthText,
                   const std::string& outputPathText, bool taxInclusive) override {
        pushing = true;
        SetText(IDC_COMPANY_TEXT, companyText);
        SetText(IDC_PERIOD_TEXT, periodText);
        SetText(IDC_START_MONTH, startMonthText);
        SetText(IDC_END_MONTH, endMonthText);
        SetText(IDC_OUTPUT_PATH, outputPathText);
        CheckDlgButton(page, IDC_TAX_INCLUSIVE, taxInclusive ? BST_CHECKED : BST_UNCHECKED);
        pushing = false;
    }
    void LockOutput() override {
        EnableWindow(GetDlgItem(page, IDC_OUTPUT_PATH), FALSE);
        EnableWindow(GetDlgItem(page, IDC_BROWSE), FALSE);
        SetText(IDC_OUTPUT_GROUP, ClCEPage1::kLockedGroupText);
    }
    bool IsEnabled(int controlId) override { return IsWindowEnabled(Control(controlId)) != FALSE; }
    void FocusControl(int controlId, bool selectAll) override {
        HWND control = Control(controlId);
        SetFocus(control);
        if (selectAll) SendMessageW(control, EM_SETSEL, 0, -1);
    }
    std::optional<std::string> AskOutputFile(const std::string& folder,
                                             const std::string& fileName) override {
        wchar_t chosen[MAX_PATH] = {};
        const std::wstring initialName = WideFromCp932(fileName);
        lstrcpynW(chosen, initialName.c_str(), MAX_PATH);
        const std::wstring initialFolder = WideFromCp932(folder);
        const std::wstring title = WideFromCp932(ClCEPage1::kBrowseTitle);
        OPENFILENAMEW dialog = {};
        dialog.lStructSize = sizeof dialog;
        dialog.hwndOwner = page;
        dialog.lpstrFilter = L"Xml Files (*.xml)\0*.xml\0\0";
        dialog.lpstrFile = chosen;
        dialog.nMaxFile = MAX_PATH;
        dialog.lpstrInitialDir = initialFolder.empty() ? nullptr : initialFolder.c_str();
        dialog.lpstrTitle = title.c_str();
        dialog.lpstrDefExt = L"XML";
        // The definition files are read relative to the current folder.
        dialog.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
        if (!GetSaveFileNameW(&dialog)) return std::nullopt;
        return Cp932FromWide(chosen);
    }

    std::string Text(int controlId) const {
        HWND control = GetDlgItem(page, controlId);
        const int length = GetWindowTextLengthW(control);
        std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
        GetWindowTextW(control, text.data(), length + 1);
        text.resize(static_cast<std::size_t>(length));
        return Cp932FromWide(text);
    }

  private:
    // The sheet's own buttons live on the sheet, the rest on the page.
    HWND Control(int controlId) const {
        const bool own = controlId >= kButtonRun && controlId <= kButtonNext;
        return GetDlgItem(own ? sheet : page, controlId);
    }
    void SetText(int controlId, const std::string& text) {
        SetDlgItemTextW(page, controlId, WideFromCp932(text).c_str());
    }
};

class Win32ConditionSheet : public SheetView {
  public:
    explicit Win32ConditionSheet(ClConditionEntrySheet& sheet) : sheet_(sheet) {}

    int Run(HWND parent);

    bool AskYesNo(const std::string& text) override {
        return ShowProgramMessage(window_, text, MessageKind::kQuestion);
    }
    void ShowInformation(const std::string& text) override {
        ShowProgramMessage(window_, text, MessageKind::kInformation);
    }
    void ShowError(const std::string& text) override {
        ShowProgramMessage(window_, text, MessageKind::kError);
    }
    void ActivatePage(int index) override { PropSheet_SetCurSel(window_, nullptr, index); }
    void FocusConditionField(int controlId) override {
        HWND field = GetDlgItem(PropSheet_IndexToHwnd(window_, 0), controlId);
        if (field == nullptr) return;
        SetFocus(field);
        SendMessageW(field, EM_SETSEL, 0, -1);
        SendMessageW(field, EM_SCROLLCARET, 0, 0);
    }
    void EnableNavigation(bool previousEnabled, bool nextEnabled) override {
        EnableWindow(GetDlgItem(window_, kButtonPrevious), previousEnabled);
        EnableWindow(GetDlgItem(window_, kButtonNext), nextEnabled);
    }
    void EndSheet(int endCode) override {
        ended_ = true;
        endCode_ = endCode;
    }
    void ApplyBindings(int pageIndex, const std::vector<ControlBinding>& bindings) override {
        HWND page = PropSheet_IndexToHwnd(window_, pageIndex);
        for (const ControlBinding& binding : bindings) {
            if (binding.leaveAsIs) continue;
            SetDlgItemTextW(page, binding.controlId, WideFromCp932(binding.text).c_str());
            if (binding.kind == ControlKind::kButton) {
                EnableWindow(GetDlgItem(page, binding.controlId), binding.enabled);
            }
        }
    }

  private:
    static INT_PTR CALLBACK PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
    static int CALLBACK SheetCallback(HWND window, UINT message, LPARAM lParam);
    static LRESULT CALLBACK SheetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR, DWORD_PTR self);

    void CreateOwnButtons();
    void Initialise();
    void SetUpItemTips(MappingPageWindow& page);
    void SetItemTip(const MappingPageWindow& page, int buttonId, std::int16_t itemNo, bool add);
    // The item control of the page that `control` is, when it is an item
    // button; null otherwise.
    static const ItemControl* ItemButtonOf(const MappingPageWindow& page, HWND control);
    void OnItemButton(const MappingPageWindow& page, const ItemControl& button);
    // OnItemButton where nothing may unwind through the system's frames: a
    // failure is kept for the sheet's loop.
    void PressItemButton(const MappingPageWindow& page, const ItemControl& button);
    void OpenSelectionDialog(std::int16_t itemNo);
    // The filter of pages 2 and 3; true when the message was consumed.
    bool FilterMappingPage(const MappingPageWindow& page, const MSG& message);
    MappingPageWindow* MappingPageOf(int pageIndex);
    void PlaceOwnButtons();
    bool PreTranslate(const MSG& message);
    void OnOwnButton(int id);

    ClConditionEntrySheet& sheet_;
    HWND window_ = nullptr;
    bool ended_ = false;
    int endCode_ = ClConditionEntrySheet::kCancelResult;
    std::array<PageContext, ClConditionEntrySheet::kPageCount> pages_{};
    Win32Page1View page1_;
    std::array<MappingPageWindow, 2> mappingPages_{
        {{MappingPage::kMainAccounts}, {MappingPage::kMonthlySales}}};
    // A failure inside a page's procedure, rethrown by the sheet's loop.
    std::exception_ptr failure_;

    void OnPage1Command(int id, int code);
};

INT_PTR CALLBACK Win32ConditionSheet::PageProc(HWND page, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        const auto* sheetPage = reinterpret_cast<const PROPSHEETPAGEW*>(lParam);
        SetWindowLongPtrW(page, GWLP_USERDATA, sheetPage->lParam);
        auto* context = reinterpret_cast<PageContext*>(sheetPage->lParam);
        if (context->index == 0) {
            context->owner->page1_.page = page;
            SendDlgItemMessageW(page, IDC_OUTPUT_PATH, EM_LIMITTEXT, 255, 0);
            SendDlgItemMessageW(page, IDC_END_MONTH, EM_LIMITTEXT, 2, 0);
        }
        if (MappingPageWindow* mapping = context->owner->MappingPageOf(context->index)) {
            mapping->page = page;
        }
        return TRUE;
    }
    auto* context = reinterpret_cast<PageContext*>(GetWindowLongPtrW(page, GWLP_USERDATA));
    if (message == WM_COMMAND && context != nullptr && context->index == 0) {
        context->owner->OnPage1Command(LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    }
    if (message == WM_COMMAND && context != nullptr && HIWORD(wParam) == BN_CLICKED) {
        Win32ConditionSheet* owner = context->owner;
        MappingPageWindow* mapping = owner->MappingPageOf(context->index);
        const ItemControl* button =
            mapping != nullptr ? ItemButtonOf(*mapping, reinterpret_cast<HWND>(lParam)) : nullptr;
        if (button != nullptr) {
            owner->PressItemButton(*mapping, *button);
            return TRUE;
        }
    }
    if (message == WM_NOTIFY && context != nullptr) {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->code == PSN_SETACTIVE) {
            context->owner->sheet_.OnPageActivated(context->index);
            SetWindowLongPtrW(page, DWLP_MSGRESULT, 0);
            return TRUE;
        }
    }
    return FALSE;
}

// The sheet's frame gets no system menu, hence no close box.
int CALLBACK Win32ConditionSheet::SheetCallback(HWND, UINT message, LPARAM lParam) {
    if (message == PSCB_PRECREATE && lParam != 0) {
        // An extended template keeps its style after version, signature,
        // help id and extended style.
        auto* bytes = reinterpret_cast<BYTE*>(lParam);
        const bool extended = reinterpret_cast<const WORD*>(bytes)[1] == 0xFFFF;
        DWORD style = 0;
        BYTE* place = bytes + (extended ? 12 : 0);
        CopyMemory(&style, place, sizeof style);
        // Shown only once initialised, so nobody sees empty pages.
        style &= ~static_cast<DWORD>(WS_SYSMENU | WS_VISIBLE);
        CopyMemory(place, &style, sizeof style);
    }
    return 0;
}

LRESULT CALLBACK Win32ConditionSheet::SheetProc(HWND window, UINT message, WPARAM wParam,
                                                LPARAM lParam, UINT_PTR, DWORD_PTR self) {
    auto* sheet = reinterpret_cast<Win32ConditionSheet*>(self);
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        const int id = LOWORD(wParam);
        if (id >= kButtonRun && id <= kButtonNext) {
            sheet->OnOwnButton(id);
            return 0;
        }
    }
    if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_CLOSE) return 0;
    return DefSubclassProc(window, message, wParam, lParam);
}

void Win32ConditionSheet::OnPage1Command(int id, int code) {
    if (page1_.pushing) return;
    ClCEPage1& page = sheet_.page1;
    if (id == IDC_END_MONTH && code == EN_CHANGE)
        page.OnEndMonthChanged(page1_.Text(IDC_END_MONTH));
    if (id == IDC_OUTPUT_PATH && code == EN_CHANGE) {
        page.OnOutputPathChanged(page1_.Text(IDC_OUTPUT_PATH));
    }
    if (id == IDC_TAX_INCLUSIVE && code == BN_CLICKED) {
        page.OnTaxClicked(IsDlgButtonChecked(page1_.page, IDC_TAX_INCLUSIVE) == BST_CHECKED);
    }
    if (id == IDC_BROWSE && code == BN_CLICKED) page.BrowseOutputFile();
}

MappingPageWindow* Win32ConditionSheet::MappingPageOf(int pageIndex) {
    if (pageIndex < 1 || pageIndex > static_cast<int>(mappingPages_.size())) return nullptr;
    return &mappingPages_[static_cast<std::size_t>(pageIndex - 1)];
}

const ItemControl* Win32ConditionSheet::ItemButtonOf(const MappingPageWindow& page, HWND control) {
    if (page.page == nullptr || control == nullptr || GetParent(control) != page.page) {
        return nullptr;
    }
    const int id = GetDlgCtrlID(control);
    for (const ItemControl& item : ItemControlsOf(page.kind)) {
        if (item.kind == ControlKind::kButton && item.controlId == id) return &item;
    }
    return nullptr;
}

// One tooltip per page, one tool per item button in the page's button order.
void Win32ConditionSheet::SetUpItemTips(MappingPageWindow& page) {
    if (sheet_.currentMapping == nullptr || sheet_.itemCatalogue == nullptr) return;
    if (page.page == nullptr) return;
    page.tooltip =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, page.page,
                        nullptr, GetModuleHandleW(nullptr), nullptr);
    if (page.tooltip == nullptr) return;
    SendMessageW(page.tooltip, TTM_ACTIVATE, TRUE, 0);
    SendMessageW(page.tooltip, TTM_SETMAXTIPWIDTH, 0, kTooltipWidth);
    for (const ItemControl& item : ItemControlsOf(page.kind)) {
        if (item.kind == ControlKind::kButton) SetItemTip(page, item.controlId, item.itemNo, true);
    }
}

void Win32ConditionSheet::SetItemTip(const MappingPageWindow& page, int buttonId,
                                     std::int16_t itemNo, bool add) {
    if (page.tooltip == nullptr || sheet_.currentMapping == nullptr) return;
    std::wstring text =
        WideFromCp932(DescribeMappedAccounts(*sheet_.currentMapping, itemNo, sheet_.accounts));
    TOOLINFOW tool = {};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND;
    tool.hwnd = page.page;
    tool.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(page.page, buttonId));
    tool.lpszText = text.data();
    SendMessageW(page.tooltip, add ? TTM_ADDTOOLW : TTM_UPDATETIPTEXTW, 0,
                 reinterpret_cast<LPARAM>(&tool));
}

void Win32ConditionSheet::OnItemButton(const MappingPageWindow& page, const ItemControl& button) {
    if (sheet_.currentMapping == nullptr || sheet_.itemCatalogue == nullptr) return;
    OpenSelectionDialog(button.itemNo);
    SetItemTip(page, button.controlId, button.itemNo, false);
}

void Win32ConditionSheet::PressItemButton(const MappingPageWindow& page,
                                          const ItemControl& button) {
    try {
        OnItemButton(page, button);
    } catch (...) {
        if (!failure_) failure_ = std::current_exception();
    }
}

void Win32ConditionSheet::OpenSelectionDialog(std::int16_t itemNo) {
    if (sheet_.currentMapping == nullptr || sheet_.itemCatalogue == nullptr) return;
    const StatementItem* item = sheet_.itemCatalogue->FindItem(itemNo);
    if (item == nullptr) return;
    ClAccountSelectDialog dialog;
    dialog.accounts = &sheet_.accounts;
    dialog.itemNo = item->itemNo;
    dialog.captionText = item->name();
    dialog.classCodes = &item->classCodes;
    dialog.currentMapping = sheet_.currentMapping;
    dialog.defaultMapping = &sheet_.defaultMapping;
    // Applied or cancelled, the dialog has already written any change.
    RunAccountSelectWindow(dialog, window_);
}

bool Win32ConditionSheet::FilterMappingPage(const MappingPageWindow& page, const MSG& message) {
    if (message.message == WM_MOUSEMOVE) {
        if (page.tooltip != nullptr && SendMessageW(page.tooltip, TTM_GETTOOLCOUNT, 0, 0) > 0) {
            MSG relayed = message;
            SendMessageW(page.tooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
        }
        return false;
    }
    const bool isKey = message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN ||
                       message.message == WM_KEYUP || message.message == WM_SYSKEYUP;
    if (!isKey) return false;
    const KeyMessage key = KeyMessageOf(message);
    const bool shift = key.shift;
    const bool ctrl = key.ctrl;
    const bool alt = key.alt;
    // Alt+F4 would close the sheet past its exit dialogue.
    if (alt && !shift && !ctrl && message.wParam == VK_F4) return true;
    const bool keyDown = message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN;
    if (!keyDown || message.wParam != VK_RETURN) return false;
    const ItemControl* button = ItemButtonOf(page, message.hwnd);
    if (button == nullptr) return false;
    // Enter presses the button; with a modifier held it does nothing, where
    // the dialog manager would press the focused button all the same.
    if (message.message == WM_KEYDOWN && !shift && !ctrl && !alt) {
        PressItemButton(page, *button);
    }
    return true;
}

void Win32ConditionSheet::OnOwnButton(int id) {
    switch (id) {
        case kButtonRun:
            sheet_.OnRun();
            break;
        case kButtonCancel:
            sheet_.OnExit();
            break;
        case kButtonPrevious:
            sheet_.OnPreviousPage();
            break;
        case kButtonNext:
            sheet_.OnNextPage();
            break;
        default:
            break;
    }
}

void Win32ConditionSheet::CreateOwnButtons() {
    const std::pair<int, const char*> buttons[] = {{kButtonPrevious, "前へ(F5)"},
                                                   {kButtonNext, "次へ(F6)"},
                                                   {kButtonRun, "実行(F12)"},
                                                   {kButtonCancel, "キャンセル(Esc)"}};
    for (const auto& [id, text] : buttons) {
        CreateWindowExW(0, L"BUTTON", WideFromCp932(text).c_str(),
                        WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 0, 10, 10, window_,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                        GetModuleHandleW(nullptr), nullptr);
    }
}

void Win32ConditionSheet::PlaceOwnButtons() {
    RECT client;
    GetClientRect(window_, &client);
    RECT standard = {0, 0, 0, 0};
    GetClientRect(GetDlgItem(window_, IDOK), &standard);
    const HFONT font =
        reinterpret_cast<HFONT>(SendDlgItemMessageW(window_, IDOK, WM_GETFONT, 0, 0));
    const auto places = LayOutOwnButtons(client.right, client.bottom, standard.bottom);
    for (const int id : {kButtonCancel, kButtonRun, kButtonPrevious, kButtonNext}) {
        for (const ButtonPlace& place : places) {
            if (place.id != id) continue;
            HWND button = GetDlgItem(window_, id);
            SetWindowPos(button, nullptr, place.left, place.top, place.width, place.height,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
            ShowWindow(button, SW_SHOW);
        }
    }
}

void Win32ConditionSheet::Initialise() {
    // Visit pages 3, 2, 1 so that every page window exists and page 1 is current.
    for (int index = ClConditionEntrySheet::kPageCount - 1; index >= 0; --index) {
        PropSheet_SetCurSel(window_, nullptr, index);
    }
    sheet_.Initialise();
    for (MappingPageWindow& page : mappingPages_)
        SetUpItemTips(page);
    for (const int id : {IDOK, IDCANCEL, kApplyButtonId, IDHELP}) {
        if (HWND standard = GetDlgItem(window_, id)) ShowWindow(standard, SW_HIDE);
    }
    PlaceOwnButtons();
}

bool Win32ConditionSheet::PreTranslate(const MSG& message) {
    // Pages 2 and 3 see their messages first, the mouse moves included.
    for (const MappingPageWindow& page : mappingPages_) {
        if (page.page == nullptr) continue;
        if (message.hwnd != page.page && !IsChild(page.page, message.hwnd)) continue;
        if (FilterMappingPage(page, message)) return true;
    }
    const bool isKey = message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN ||
                       message.message == WM_KEYUP || message.message == WM_SYSKEYUP;
    if (!isKey || (message.hwnd != window_ && !IsChild(window_, message.hwnd))) return false;
    KeyMessage key = KeyMessageOf(message);
    if (GetParent(message.hwnd) == window_) key.targetButtonId = GetDlgCtrlID(message.hwnd);
    // A key for a control on page 1 passes the page's filter first.
    if (page1_.page != nullptr && IsChild(page1_.page, message.hwnd)) {
        HWND control = message.hwnd;
        while (GetParent(control) != page1_.page)
            control = GetParent(control);
        if (sheet_.page1.FilterKey(key, GetDlgCtrlID(control))) return true;
    }
    return sheet_.FilterKey(key);
}

int Win32ConditionSheet::Run(HWND parent) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    const std::wstring caption = WideFromCp932(ClConditionEntrySheet::kCaption);
    std::array<std::wstring, ClConditionEntrySheet::kPageCount> titles;
    std::array<PROPSHEETPAGEW, ClConditionEntrySheet::kPageCount> pages{};
    const int templates[] = {IDD_CE_PAGE1, IDD_CE_PAGE2, IDD_CE_PAGE3};
    for (int i = 0; i < ClConditionEntrySheet::kPageCount; ++i) {
        pages_[i] = {this, i};
        titles[i] = WideFromCp932(ClConditionEntrySheet::kPageTitles[i]);
        pages[i].dwSize = sizeof(PROPSHEETPAGEW);
        pages[i].dwFlags = PSP_USETITLE;
        pages[i].hInstance = GetModuleHandleW(nullptr);
        pages[i].pszTemplate = MAKEINTRESOURCEW(templates[i]);
        pages[i].pfnDlgProc = PageProc;
        pages[i].pszTitle = titles[i].c_str();
        pages[i].lParam = reinterpret_cast<LPARAM>(&pages_[i]);
    }
    PROPSHEETHEADERW header = {};
    header.dwSize = sizeof header;
    // No Apply button: its Japanese mnemonic would take Alt+A from the pages.
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_MODELESS | PSH_NOAPPLYNOW | PSH_USECALLBACK;
    header.hwndParent = parent;
    header.hInstance = GetModuleHandleW(nullptr);
    header.pszCaption = caption.c_str();
    header.nPages = ClConditionEntrySheet::kPageCount;
    header.ppsp = pages.data();
    header.pfnCallback = SheetCallback;
    window_ = reinterpret_cast<HWND>(PropertySheetW(&header));
    if (window_ == nullptr) return ClConditionEntrySheet::kCancelResult;
    SetWindowLongPtrW(window_, GWL_STYLE, GetWindowLongPtrW(window_, GWL_STYLE) & ~WS_SYSMENU);
    SetWindowSubclass(window_, SheetProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    CreateOwnButtons();
    page1_.sheet = window_;
    sheet_.AttachView(this);
    sheet_.page1.AttachView(&page1_);
    Initialise();
    ShowWindow(window_, SW_SHOW);
    SetForegroundWindow(window_);
    SetActiveWindow(window_);

    MSG message;
    while (!ended_ && !failure_) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (PreTranslate(message) || PropSheet_IsDialogMessage(window_, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    sheet_.AttachView(nullptr);
    sheet_.page1.AttachView(nullptr);
    RemoveWindowSubclass(window_, SheetProc, kSubclassId);
    DestroyWindow(window_);
    window_ = nullptr;
    sheet_.OnWindowDestroyed();
    if (failure_) std::rethrow_exception(failure_);
    return endCode_;
}

}  // namespace

int RunConditionSheetWindow(ClConditionEntrySheet& sheet, WindowRef parent) {
    Win32ConditionSheet window(sheet);
    return window.Run(static_cast<HWND>(parent));
}
