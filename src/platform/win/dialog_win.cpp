#include "platform/win/dialog_win.h"

#include <utility>

#include "platform/win/modal_loop_win.h"

Dialog::~Dialog() {
    Destroy();
}

HWND Dialog::CreateModeless(int templateId, HWND parent) {
    const HWND window = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId),
                                           parent, Procedure, reinterpret_cast<LPARAM>(this));
    if (unclaimed_) {
        Destroy();
        std::rethrow_exception(std::exchange(unclaimed_, nullptr));
    }
    return window;
}

void Dialog::Destroy() {
    if (window_ != nullptr) DestroyWindow(window_);
}

HWND Dialog::Live() {
    if (unclaimed_) std::rethrow_exception(std::exchange(unclaimed_, nullptr));
    return window_;
}

void Dialog::SetResult(LRESULT result) {
    SetWindowLongPtrW(window_, DWLP_MSGRESULT, result);
}

INT_PTR CALLBACK Dialog::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Dialog* dialog = message == WM_INITDIALOG
                         ? reinterpret_cast<Dialog*>(lParam)
                         : reinterpret_cast<Dialog*>(GetWindowLongPtrW(window, DWLP_USER));
    return Route(dialog, window, message, wParam, lParam);
}

INT_PTR Dialog::Route(Dialog* dialog, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // Messages before WM_INITDIALOG (WM_SETFONT) have no object yet.
    if (dialog == nullptr) return FALSE;
    if (message == WM_INITDIALOG) {
        dialog->window_ = window;
        SetWindowLongPtrW(window, DWLP_USER, reinterpret_cast<LONG_PTR>(dialog));
    }
    const bool handled = GuardWindowProcedure(
        dialog->unclaimed_, true, [&] { return dialog->Dispatch(message, wParam, lParam); });
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, DWLP_USER, 0);
        dialog->window_ = nullptr;
    }
    return handled ? TRUE : FALSE;
}

bool Dialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            return OnInit();
        case WM_COMMAND:
            return OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        case WM_NOTIFY:
            return OnNotify(static_cast<int>(wParam), *reinterpret_cast<NMHDR*>(lParam));
        default:
            return OnMessage(message, wParam, lParam);
    }
}

PROPSHEETPAGEW PropertyPage::Describe(int templateId, const wchar_t* title) {
    PROPSHEETPAGEW page = {};
    page.dwSize = sizeof page;
    page.dwFlags = PSP_USETITLE;
    page.hInstance = GetModuleHandleW(nullptr);
    page.pszTemplate = MAKEINTRESOURCEW(templateId);
    page.pfnDlgProc = PageProcedure;
    page.pszTitle = title;
    page.lParam = reinterpret_cast<LPARAM>(static_cast<Dialog*>(this));
    return page;
}

bool PropertyPage::OnNotify(int, NMHDR& header) {
    if (header.code != static_cast<UINT>(PSN_SETACTIVE)) return false;
    OnSetActive();
    SetResult(0);
    return true;
}

INT_PTR CALLBACK PropertyPage::PageProcedure(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
    // At WM_INITDIALOG the sheet passes its copy of the page's description.
    Dialog* dialog =
        message == WM_INITDIALOG
            ? reinterpret_cast<Dialog*>(reinterpret_cast<const PROPSHEETPAGEW*>(lParam)->lParam)
            : reinterpret_cast<Dialog*>(GetWindowLongPtrW(window, DWLP_USER));
    return Route(dialog, window, message, wParam, lParam);
}
