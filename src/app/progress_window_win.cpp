// The progress window as a modeless Win32 dialog (template 133).
#include <windows.h>

#include <commctrl.h>

#include "app/progress_window.h"
#include "platform/win/code_page.h"
#include "platform/win/dialog_win.h"
#include "res/progress_window_res.h"

namespace {

void SetBarRange(HWND bar, int low, int high) {
    SendMessageW(bar, PBM_SETRANGE32, static_cast<WPARAM>(low), static_cast<LPARAM>(high));
    SendMessageW(bar, PBM_SETSTEP, 1, 0);
}

void SetBarPosition(HWND bar, int position) {
    SendMessageW(bar, PBM_SETPOS, static_cast<WPARAM>(position), 0);
}

// Its handlers run outside any modal loop: a failure in one is rethrown by
// the next call from the run (Live).
class ProgressDialog final : public Dialog, public ProgressView {
  public:
    ~ProgressDialog() override { Dialog::Destroy(); }

    bool Create() override {
        INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_PROGRESS_CLASS};
        InitCommonControlsEx(&controls);
        return CreateModeless(IDD_PROGRESS_WINDOW, nullptr) != nullptr;
    }

    // The window is a pop-up, so the host window becomes its owner: it then
    // stays in front of the host without being clipped to the host's area,
    // as a child window would be.
    void SetParent(WindowRef parent) override {
        SetWindowLongPtrW(Live(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(parent));
    }

    // Painted at once: nothing pumps messages while the work runs.
    void Show() override {
        ShowWindow(Live(), SW_SHOW);
        UpdateWindow(Live());
    }

    void Hide() override { ShowWindow(Live(), SW_HIDE); }
    void Destroy() override { Dialog::Destroy(); }
    WindowRef Window() const override { return Handle(); }

    void SetCaption(const std::string& text) override {
        SetWindowTextW(Live(), WideFromCp932(text).c_str());
    }

    void SetMainRange(int low, int high) override {
        Live();
        SetBarRange(mainBar_, low, high);
    }
    void SetMainPosition(int position) override {
        Live();
        SetBarPosition(mainBar_, position);
    }
    void SetActivityRange(int low, int high) override {
        Live();
        SetBarRange(activityBar_, low, high);
    }
    void SetActivityPosition(int position) override {
        Live();
        SetBarPosition(activityBar_, position);
    }
    void BringToTop() override { BringWindowToTop(Live()); }
    void BringToForeground() override { SetForegroundWindow(Live()); }
    void Repaint() override { UpdateWindow(Live()); }
    // Looking at the queue is enough: the system then delivers what other
    // threads and programs sent, and nothing is taken off it.
    void AnswerSentMessages() override {
        Live();
        MSG message;
        PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);
    }

  protected:
    bool OnInit() override {
        mainBar_ = Item(IDP_PROGRESS_MAIN);
        activityBar_ = Item(IDP_PROGRESS_ACTIVITY);
        return true;
    }

  private:
    HWND mainBar_ = nullptr;
    HWND activityBar_ = nullptr;
};

}  // namespace

std::unique_ptr<ProgressView> CreateProgressDialogView() {
    return std::make_unique<ProgressDialog>();
}
