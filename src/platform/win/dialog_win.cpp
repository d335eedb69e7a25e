#include "platform/win/dialog_win.h"

#include <utility>

Dialog::~Dialog() {
    if (!modal_) Destroy();
}

HWND Dialog::CreateModeless(int templateId, HWND parent) {
    modal_ = false;
    const HWND window = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId),
                                           parent, Procedure, reinterpret_cast<LPARAM>(this));
    if (failure_) {
        Destroy();
        RethrowFailure();
    }
    return window;
}

INT_PTR Dialog::RunModal(int templateId, HWND parent) {
    modal_ = true;
    const INT_PTR result = DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId),
                                           parent, Procedure, reinterpret_cast<LPARAM>(this));
    modal_ = false;
    RethrowFailure();
    return result;
}

void Dialog::End(INT_PTR result) {
    if (window_ != nullptr) EndDialog(window_, result);
}

void Dialog::Destroy() {
    if (window_ != nullptr) DestroyWindow(window_);
}

void Dialog::RethrowFailure() {
    if (failure_) std::rethrow_exception(std::exchange(failure_, nullptr));
}

void Dialog::SetResult(LRESULT result) {
    SetWindowLongPtrW(window_, DWLP_MSGRESULT, result);
}

INT_PTR CALLBACK Dialog::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Dialog* dialog = nullptr;
    if (message == WM_INITDIALOG) {
        dialog = reinterpret_cast<Dialog*>(lParam);
        dialog->window_ = window;
        SetWindowLongPtrW(window, DWLP_USER, lParam);
    } else {
        dialog = reinterpret_cast<Dialog*>(GetWindowLongPtrW(window, DWLP_USER));
    }
    // Messages before WM_INITDIALOG (WM_SETFONT) have no object yet.
    if (dialog == nullptr) return FALSE;

    bool handled = false;
    try {
        handled = dialog->Dispatch(message, wParam, lParam);
    } catch (...) {
        // Unwinding through the system's frames is undefined: keep the
        // exception for the caller's side and stop a modal dialog.
        if (!dialog->failure_) dialog->failure_ = std::current_exception();
        if (dialog->modal_) EndDialog(window, -1);
        handled = true;
    }
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
