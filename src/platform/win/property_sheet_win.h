// A tabbed property sheet of PropertyPage objects, made to run in a
// ModalLoop: modeless, without a system menu (so without a close box) and
// without an Apply button, whose Japanese mnemonic would take Alt+A from
// the pages. The sheet's own window messages reach the handlers below
// through a subclass, guarded like every window procedure of the program.
#pragma once

#include <windows.h>

#include <exception>
#include <string>
#include <vector>

#include "platform/win/dialog_win.h"

class PropertySheetWindow {
  public:
    struct Page {
        PropertyPage* page;
        int templateId;
        std::string title;  // code page 932
    };

    PropertySheetWindow() = default;
    PropertySheetWindow(const PropertySheetWindow&) = delete;
    PropertySheetWindow& operator=(const PropertySheetWindow&) = delete;
    // Destroys the window when it is still there.
    virtual ~PropertySheetWindow();

    // Creates the sheet hidden, with its first page; the others are created
    // when they first become current. Null when it could not be created.
    HWND Create(HWND parent, const std::string& caption, const std::vector<Page>& pages);
    void Destroy();

    HWND Handle() const { return window_; }
    HWND PageWindow(int index) const;
    void SetCurrentPage(int index);

  protected:
    // Each handler returns true when it handled the message (the sheet's
    // own procedure then does not see it).
    virtual bool OnCommand(int /*id*/, int /*code*/, HWND /*control*/) { return false; }
    virtual bool OnMessage(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/) { return false; }

  private:
    static int CALLBACK BeforeCreation(HWND window, UINT message, LPARAM lParam);
    static LRESULT CALLBACK Subclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR id, DWORD_PTR self);

    HWND window_ = nullptr;
    std::vector<std::wstring> titles_;
    std::exception_ptr unclaimed_;
};
