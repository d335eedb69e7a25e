// The condition entry sheet's frame: a tabbed property sheet with the three
// pages, four buttons of its own in place of the standard ones, and the key
// filters of the pages and the sheet, run in the program's modal loop.
#include <windows.h>

#include <prsht.h>

#include <string>
#include <utility>

#include "platform/win/code_page.h"
#include "platform/win/key_message_win.h"
#include "platform/win/message_box_win.h"
#include "platform/win/modal_loop_win.h"
#include "platform/win/property_sheet_win.h"
#include "res/condition_sheet_res.h"
#include "ui/mapping/mapping_page_win.h"
#include "ui/sheet/condition_sheet_window.h"
#include "ui/sheet/conditions_page_win.h"
#include "ui/sheet/own_buttons.h"

namespace {

// The standard Apply button: hidden like the others, it still gives the own
// buttons their height.
constexpr int kApplyButtonId = 0x3021;

class ConditionSheetWindow final : public PropertySheetWindow, public SheetView {
  public:
    explicit ConditionSheetWindow(ClConditionEntrySheet& sheet)
        : sheet_(sheet),
          page1_(sheet.page1, [this] { sheet_.OnPageActivated(0); }),
          page2_(sheet.page2, [this] { sheet_.OnPageActivated(1); }),
          page3_(sheet.page3, [this] { sheet_.OnPageActivated(2); }) {}
    ~ConditionSheetWindow() override;

    int Run(HWND parent);

    bool AskYesNo(const std::string& text) override {
        return ShowProgramMessage(Handle(), text, MessageKind::kQuestion);
    }
    void ShowInformation(const std::string& text) override {
        ShowProgramMessage(Handle(), text, MessageKind::kInformation);
    }
    void ShowError(const std::string& text) override {
        ShowProgramMessage(Handle(), text, MessageKind::kError);
    }
    void ActivatePage(int index) override { SetCurrentPage(index); }
    void FocusConditionField(int controlId) override;
    void EnableNavigation(bool previousEnabled, bool nextEnabled) override {
        HWND previous = GetDlgItem(Handle(), IDB_PREVIOUS);
        HWND next = GetDlgItem(Handle(), IDB_NEXT);
        // A button disabled under the focus leaves no window with it: the
        // keys would then come as system keys, and F5 and F6 do nothing.
        if (!previousEnabled && GetFocus() == previous) SetFocus(next);
        if (!nextEnabled && GetFocus() == next) SetFocus(previous);
        EnableWindow(previous, previousEnabled);
        EnableWindow(next, nextEnabled);
    }
    void EndSheet(int endCode) override { loop_->End(endCode); }

  protected:
    bool OnCommand(int id, int code, HWND control) override;
    // The close command has no way in: no system menu, Alt+F4 swallowed.
    bool OnMessage(UINT message, WPARAM wParam, LPARAM) override {
        return message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_CLOSE;
    }

  private:
    void CreateOwnButtons();
    void PlaceOwnButtons();
    void Initialise();
    void AttachViews(bool attach);
    // The sheet's key filter, after the pages' ones.
    bool FilterKey(const MSG& message, HWND child);

    ClConditionEntrySheet& sheet_;
    ConditionsPageWindow page1_;
    MappingPageWindow page2_;
    MappingPageWindow page3_;
    ModalLoop* loop_ = nullptr;
};

ConditionSheetWindow::~ConditionSheetWindow() {
    AttachViews(false);
    // Before the pages: destroying the sheet destroys their windows.
    Destroy();
    sheet_.OnWindowDestroyed();
}

void ConditionSheetWindow::AttachViews(bool attach) {
    sheet_.AttachView(attach ? this : nullptr);
    sheet_.page1.AttachView(attach ? &page1_ : nullptr);
    sheet_.page2.AttachView(attach ? &page2_ : nullptr);
    sheet_.page3.AttachView(attach ? &page3_ : nullptr);
}

void ConditionSheetWindow::FocusConditionField(int controlId) {
    HWND field = page1_.Item(controlId);
    if (field == nullptr) return;
    SetFocus(field);
    SendMessageW(field, EM_SETSEL, 0, -1);
    SendMessageW(field, EM_SCROLLCARET, 0, 0);
}

bool ConditionSheetWindow::OnCommand(int id, int code, HWND) {
    if (code != BN_CLICKED) return false;
    switch (id) {
        case IDB_RUN:
            sheet_.OnRun();
            return true;
        case IDB_CANCEL:
            sheet_.OnExit();
            return true;
        case IDB_PREVIOUS:
            sheet_.OnPreviousPage();
            return true;
        case IDB_NEXT:
            sheet_.OnNextPage();
            return true;
        default:
            return false;
    }
}

bool ConditionSheetWindow::FilterKey(const MSG& message, HWND child) {
    if (!IsKeyMessage(message)) return false;
    KeyMessage key = KeyMessageOf(message);
    // Enter acts on an own button only when it is the message's window.
    if (child != nullptr && child == message.hwnd) key.targetButtonId = GetDlgCtrlID(child);
    return sheet_.FilterKey(key);
}

// Created in tab order with a provisional place; Initialise places them.
void ConditionSheetWindow::CreateOwnButtons() {
    const std::pair<int, const char*> buttons[] = {{IDB_PREVIOUS, "前へ(F5)"},
                                                   {IDB_NEXT, "次へ(F6)"},
                                                   {IDB_RUN, "実行(F12)"},
                                                   {IDB_CANCEL, "キャンセル(Esc)"}};
    for (const auto& [id, text] : buttons) {
        CreateWindowExW(0, L"BUTTON", WideFromCp932(text).c_str(),
                        WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 0, 10, 10, Handle(),
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                        GetModuleHandleW(nullptr), nullptr);
    }
}

void ConditionSheetWindow::PlaceOwnButtons() {
    RECT client;
    GetClientRect(Handle(), &client);
    RECT standard = {0, 0, 0, 0};
    GetClientRect(GetDlgItem(Handle(), IDOK), &standard);
    const HFONT font =
        reinterpret_cast<HFONT>(SendDlgItemMessageW(Handle(), IDOK, WM_GETFONT, 0, 0));
    const auto places = LayOutOwnButtons(client.right, client.bottom, standard.bottom);
    for (const int id : {IDB_CANCEL, IDB_RUN, IDB_PREVIOUS, IDB_NEXT}) {
        for (const ButtonPlace& place : places) {
            if (place.id != id) continue;
            HWND button = GetDlgItem(Handle(), id);
            SetWindowPos(button, nullptr, place.left, place.top, place.width, place.height,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
            ShowWindow(button, SW_SHOW);
        }
    }
}

void ConditionSheetWindow::Initialise() {
    // Visit pages 3, 2, 1 so that every page window exists and page 1 is current.
    for (int index = ClConditionEntrySheet::kPageCount - 1; index >= 0; --index)
        SetCurrentPage(index);
    sheet_.Initialise();
    for (const int id : {IDOK, IDCANCEL, kApplyButtonId, IDHELP}) {
        if (HWND standard = GetDlgItem(Handle(), id)) ShowWindow(standard, SW_HIDE);
    }
    PlaceOwnButtons();
}

int ConditionSheetWindow::Run(HWND parent) {
    ModalLoop loop(parent, ClConditionEntrySheet::kCancelResult);
    loop_ = &loop;
    const auto& titles = ClConditionEntrySheet::kPageTitles;
    if (Create(parent, ClConditionEntrySheet::kCaption,
               {{&page1_, IDD_CE_PAGE1, titles[0]},
                {&page2_, IDD_CE_PAGE2, titles[1]},
                {&page3_, IDD_CE_PAGE3, titles[2]}}) == nullptr) {
        return ClConditionEntrySheet::kCancelResult;
    }
    CreateOwnButtons();
    AttachViews(true);
    Initialise();
    // A message for a window on a page passes the page's filter first.
    loop.AddFilter(page1_.Handle(), [this](const MSG& m, HWND c) { return page1_.Filter(m, c); });
    loop.AddFilter(page2_.Handle(), [this](const MSG& m, HWND c) { return page2_.Filter(m, c); });
    loop.AddFilter(page3_.Handle(), [this](const MSG& m, HWND c) { return page3_.Filter(m, c); });
    loop.AddFilter(Handle(), [this](const MSG& m, HWND c) { return FilterKey(m, c); });
    return loop.Run(Handle(), ModalLoop::Kind::kPropertySheet);
}

}  // namespace

int RunConditionSheetWindow(ClConditionEntrySheet& sheet, WindowRef parent) {
    ConditionSheetWindow window(sheet);
    return window.Run(static_cast<HWND>(parent));
}
