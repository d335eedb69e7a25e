#include "platform/win/property_sheet_win.h"

#include <commctrl.h>
#include <prsht.h>

#include "platform/win/code_page.h"
#include "platform/win/modal_loop_win.h"

namespace {

constexpr UINT_PTR kSubclassId = 1;

}  // namespace

PropertySheetWindow::~PropertySheetWindow() {
    Destroy();
}

HWND PropertySheetWindow::Create(HWND parent, const std::string& caption,
                                 const std::vector<Page>& pages) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    const std::wstring wideCaption = WideFromCp932(caption);
    titles_.clear();
    for (const Page& page : pages)
        titles_.push_back(WideFromCp932(page.title));
    std::vector<PROPSHEETPAGEW> descriptions;
    for (std::size_t i = 0; i < pages.size(); ++i) {
        descriptions.push_back(pages[i].page->Describe(pages[i].templateId, titles_[i].c_str()));
    }
    PROPSHEETHEADERW header = {};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_MODELESS | PSH_NOAPPLYNOW | PSH_USECALLBACK;
    header.hwndParent = parent;
    header.hInstance = GetModuleHandleW(nullptr);
    header.pszCaption = wideCaption.c_str();
    header.nPages = static_cast<UINT>(descriptions.size());
    header.ppsp = descriptions.data();
    header.pfnCallback = BeforeCreation;
    const INT_PTR created = PropertySheetW(&header);
    if (created == 0 || created == -1) return nullptr;
    window_ = reinterpret_cast<HWND>(created);
    SetWindowLongPtrW(window_, GWL_STYLE, GetWindowLongPtrW(window_, GWL_STYLE) & ~WS_SYSMENU);
    SetWindowSubclass(window_, Subclass, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    return window_;
}

void PropertySheetWindow::Destroy() {
    if (window_ != nullptr) DestroyWindow(window_);
}

HWND PropertySheetWindow::PageWindow(int index) const {
    return PropSheet_IndexToHwnd(window_, index);
}

void PropertySheetWindow::SetCurrentPage(int index) {
    PropSheet_SetCurSel(window_, nullptr, index);
}

// The frame's template, before the window is made of it: no system menu,
// and hidden, so that nobody sees it before its owner has filled it.
int CALLBACK PropertySheetWindow::BeforeCreation(HWND, UINT message, LPARAM lParam) {
    if (message == PSCB_PRECREATE && lParam != 0) {
        // An extended template keeps its style after version, signature,
        // help id and extended style.
        auto* bytes = reinterpret_cast<BYTE*>(lParam);
        const bool extended = reinterpret_cast<const WORD*>(bytes)[1] == 0xFFFF;
        DWORD style = 0;
        BYTE* place = bytes + (extended ? 12 : 0);
        CopyMemory(&style, place, sizeof style);
        style &= ~static_cast<DWORD>(WS_SYSMENU | WS_VISIBLE);
        CopyMemory(place, &style, sizeof style);
    }
    return 0;
}

LRESULT CALLBACK PropertySheetWindow::Subclass(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam, UINT_PTR, DWORD_PTR self) {
    auto* sheet = reinterpret_cast<PropertySheetWindow*>(self);
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(window, Subclass, kSubclassId);
        sheet->window_ = nullptr;
        return DefSubclassProc(window, message, wParam, lParam);
    }
    const bool handled = GuardWindowProcedure(sheet->unclaimed_, true, [&] {
        if (message == WM_COMMAND) {
            return sheet->OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        }
        return sheet->OnMessage(message, wParam, lParam);
    });
    return handled ? 0 : DefSubclassProc(window, message, wParam, lParam);
}
