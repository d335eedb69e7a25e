// Windows of the program made from templates in its resources: a dialog,
// and a property page for a tabbed sheet. One static procedure finds the
// object (stored with the window at WM_INITDIALOG) and forwards each message
// to one of the handlers below, so a window class only overrides the
// handlers it needs. Handlers run through GuardWindowProcedure: a failure
// ends the modal loop the window runs in (modal_loop_win.h).
#pragma once

#include <windows.h>

#include <prsht.h>

#include <exception>

class Dialog {
  public:
    Dialog() = default;
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;
    // Destroys the window when it is still there.
    virtual ~Dialog();

    // The window, or nullptr when it could not be created. Run it with a
    // ModalLoop to make it modal.
    HWND CreateModeless(int templateId, HWND parent);
    // Nothing happens when there is no window.
    void Destroy();

    HWND Handle() const { return window_; }
    HWND Item(int id) const { return GetDlgItem(window_, id); }

  protected:
    // Each handler returns true when it handled the message. OnInit is the
    // exception: true lets the dialog manager set the focus, false means
    // the handler set it.
    virtual bool OnInit() { return true; }
    virtual bool OnCommand(int /*id*/, int /*code*/, HWND /*control*/) { return false; }
    virtual bool OnNotify(int /*id*/, NMHDR& /*header*/) { return false; }
    // Every other message.
    virtual bool OnMessage(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/) { return false; }
    // The value a handled message returns to its sender (WM_NOTIFY answers).
    void SetResult(LRESULT result);

    // The window, for a call from the program: first rethrows a failure that
    // a handler raised outside any modal loop since the last such call.
    HWND Live();

    // The procedure's work once the object is known.
    static INT_PTR Route(Dialog* dialog, HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  private:
    static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    std::exception_ptr unclaimed_;
};

// A page of a property sheet (PropertySheetWindow). The sheet creates its
// window; the page finds itself through PROPSHEETPAGE::lParam.
class PropertyPage : public Dialog {
  public:
    // The sheet's description of this page; `title` must live as long as
    // the sheet's creation.
    PROPSHEETPAGEW Describe(int templateId, const wchar_t* title);

  protected:
    // The page becomes the current page; it always may.
    virtual void OnSetActive() {}
    // Maps the sheet's PSN_SETACTIVE to OnSetActive.
    bool OnNotify(int id, NMHDR& header) override;

  private:
    static INT_PTR CALLBACK PageProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};
