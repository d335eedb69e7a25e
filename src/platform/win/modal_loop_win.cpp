#include "platform/win/modal_loop_win.h"

#include <commctrl.h>
#include <prsht.h>

namespace {

// One GUI thread: the loops that run nest on it.
ModalLoop* innermost = nullptr;

}  // namespace

ModalLoop::ModalLoop(HWND owner, int result) : owner_(owner), result_(result), outer_(innermost) {
    innermost = this;
}

ModalLoop::~ModalLoop() {
    innermost = outer_;
}

void ModalLoop::AddFilter(HWND window, Filter filter) {
    filters_.emplace_back(window, std::move(filter));
}

void ModalLoop::End(int result) {
    ended_ = true;
    result_ = result;
}

bool ModalLoop::KeepFailure(std::exception_ptr failure) {
    if (innermost == nullptr) return false;
    if (!innermost->failure_) innermost->failure_ = std::move(failure);
    return true;
}

bool ModalLoop::Filtered(const MSG& message) {
    HWND child = nullptr;
    for (HWND window = message.hwnd; window != nullptr;
         child = window, window = GetParent(window)) {
        for (const auto& [filtered, filter] : filters_) {
            if (filtered == window && filter(message, child)) return true;
        }
        // A top-level window's "parent" is its owner, another window's way.
        if ((GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD) == 0) break;
    }
    return false;
}

int ModalLoop::Run(HWND window, Kind kind) {
    const bool disableOwner = owner_ != nullptr && IsWindowEnabled(owner_) && !failure_;
    if (!failure_) {
        if (disableOwner) EnableWindow(owner_, FALSE);
        ShowWindow(window, SW_SHOW);
        SetForegroundWindow(window);
        SetActiveWindow(window);
    }
    MSG message;
    while (!ended_ && !failure_ && IsWindow(window)) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        bool consumed = true;
        try {
            consumed = Filtered(message);
        } catch (...) {
            KeepFailure(std::current_exception());
        }
        if (consumed) continue;
        const BOOL dialogMessage = kind == Kind::kPropertySheet
                                       ? PropSheet_IsDialogMessage(window, &message)
                                       : IsDialogMessageW(window, &message);
        if (dialogMessage) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    // The owner takes the activation back before the window disappears, so
    // that no other program's window comes to the front in between.
    if (disableOwner) {
        EnableWindow(owner_, TRUE);
        SetActiveWindow(owner_);
    }
    if (failure_) std::rethrow_exception(std::exchange(failure_, nullptr));
    return result_;
}
