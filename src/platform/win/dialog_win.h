// A dialog from a template in the program's resources. One static dialog
// procedure finds the object (stored with the window at WM_INITDIALOG) and
// forwards each message to one of the handlers below, so a dialog class
// only overrides the handlers it needs.
#pragma once

#include <windows.h>

#include <exception>

class Dialog {
  public:
    Dialog() = default;
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;
    // Destroys a modeless window that is still open.
    virtual ~Dialog();

    // The window, or nullptr when it could not be created. An exception
    // from OnInit destroys it again and is rethrown here.
    HWND CreateModeless(int templateId, HWND parent);
    // Runs the dialog and returns the value given to End, or -1 when it
    // could not be created. An exception from a handler ends the dialog and
    // is rethrown here.
    INT_PTR RunModal(int templateId, HWND parent);
    // Ends a modal dialog.
    void End(INT_PTR result);
    // Destroys a modeless dialog; nothing happens when there is none.
    void Destroy();
    // Rethrows the first exception a handler raised since the last call;
    // for modeless dialogs, whose messages arrive through a loop of others.
    void RethrowFailure();

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

  private:
    static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    bool modal_ = false;
    std::exception_ptr failure_;
};
