#include "ui/mapping/mapping_page_win.h"

#include <commctrl.h>

#include "platform/win/code_page.h"
#include "platform/win/key_message_win.h"
#include "ui/mapping/account_select_window.h"

namespace {

// Long lists of accounts wrap at this width.
constexpr int kTipWidth = 800;

}  // namespace

bool MappingPageWindow::Filter(const MSG& message, HWND child) {
    if (message.message == WM_MOUSEMOVE) {
        // The tips appear over the buttons only when they see the mouse.
        if (tooltip_ != nullptr && SendMessageW(tooltip_, TTM_GETTOOLCOUNT, 0, 0) > 0) {
            MSG relayed = message;
            SendMessageW(tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
        }
        return false;
    }
    if (!IsKeyMessage(message)) return false;
    return page_.FilterKey(KeyMessageOf(message), child != nullptr ? GetDlgCtrlID(child) : 0);
}

void MappingPageWindow::SetControlText(int controlId, const std::string& text) {
    SetDlgItemTextW(Handle(), controlId, WideFromCp932(text).c_str());
}

void MappingPageWindow::EnableControl(int controlId, bool enabled) {
    EnableWindow(Item(controlId), enabled);
}

void MappingPageWindow::SetUpTips(const std::vector<ItemTip>& tips) {
    tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Handle(),
                               nullptr, GetModuleHandleW(nullptr), nullptr);
    if (tooltip_ == nullptr) return;
    SendMessageW(tooltip_, TTM_ACTIVATE, TRUE, 0);
    SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, kTipWidth);
    for (const ItemTip& tip : tips)
        SendTool(TTM_ADDTOOLW, tip);
}

void MappingPageWindow::UpdateTip(const ItemTip& tip) {
    if (tooltip_ != nullptr) SendTool(TTM_UPDATETIPTEXTW, tip);
}

// The tool of an item button, known by the button's window.
void MappingPageWindow::SendTool(UINT message, const ItemTip& tip) {
    std::wstring text = WideFromCp932(tip.text);
    TOOLINFOW tool = {};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND;
    tool.hwnd = Handle();
    tool.uId = reinterpret_cast<UINT_PTR>(Item(tip.controlId));
    tool.lpszText = text.data();
    SendMessageW(tooltip_, message, 0, reinterpret_cast<LPARAM>(&tool));
}

void MappingPageWindow::RunAccountDialog(ClAccountSelectDialog& dialog) {
    // Owned by the sheet, which it keeps disabled while it runs.
    RunAccountSelectWindow(dialog, GetParent(Handle()));
}

bool MappingPageWindow::OnCommand(int id, int code, HWND control) {
    if (code != BN_CLICKED || control == nullptr || page_.ItemOfButton(id) == 0) return false;
    page_.OnItemButton(id);
    return true;
}
