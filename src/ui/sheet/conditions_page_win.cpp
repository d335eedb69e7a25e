#include "ui/sheet/conditions_page_win.h"

#include <commdlg.h>

#include "platform/win/code_page.h"
#include "platform/win/key_message_win.h"
#include "res/condition_sheet_res.h"

bool ConditionsPageWindow::Filter(const MSG& message, HWND child) {
    if (!IsKeyMessage(message)) return false;
    return page_.FilterKey(KeyMessageOf(message), child != nullptr ? GetDlgCtrlID(child) : 0);
}

void ConditionsPageWindow::ShowTexts(const std::string& companyText, const std::string& periodText,
                                     const std::string& startMonthText,
                                     const std::string& endMonthText,
                                     const std::string& outputPathText, bool taxInclusive) {
    pushing_ = true;
    SetText(IDT_COMPANY_TEXT, companyText);
    SetText(IDT_PERIOD_TEXT, periodText);
    SetText(IDT_START_MONTH, startMonthText);
    SetText(IDE_END_MONTH, endMonthText);
    SetText(IDE_OUTPUT_PATH, outputPathText);
    CheckDlgButton(Handle(), IDX_TAX_INCLUSIVE, taxInclusive ? BST_CHECKED : BST_UNCHECKED);
    pushing_ = false;
}

void ConditionsPageWindow::LockOutput() {
    EnableWindow(Item(IDE_OUTPUT_PATH), FALSE);
    EnableWindow(Item(IDB_BROWSE), FALSE);
    SetText(IDG_OUTPUT, ClCEPage1::kLockedGroupText);
}

void ConditionsPageWindow::FocusControl(int controlId, bool selectAll) {
    HWND control = Control(controlId);
    SetFocus(control);
    if (selectAll) SendMessageW(control, EM_SETSEL, 0, -1);
}

std::optional<std::string> ConditionsPageWindow::AskOutputFile(const std::string& folder,
                                                               const std::string& fileName) {
    wchar_t chosen[MAX_PATH] = {};
    const std::wstring initialName = WideFromCp932(fileName);
    lstrcpynW(chosen, initialName.c_str(), MAX_PATH);
    const std::wstring initialFolder = WideFromCp932(folder);
    const std::wstring title = WideFromCp932(ClCEPage1::kBrowseTitle);
    OPENFILENAMEW dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = Handle();
    dialog.lpstrFilter = L"Xml Files (*.xml)\0*.xml\0\0";
    dialog.lpstrFile = chosen;
    dialog.nMaxFile = MAX_PATH;
    dialog.lpstrInitialDir = initialFolder.empty() ? nullptr : initialFolder.c_str();
    dialog.lpstrTitle = title.c_str();
    dialog.lpstrDefExt = L"XML";
    // The definition files are read relative to the current folder.
    dialog.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
    if (!GetSaveFileNameW(&dialog)) return std::nullopt;
    std::string path;
    return Cp932FromWide(chosen, path) ? path : std::string();
}

void ConditionsPageWindow::RestoreOutputPath(const std::string& text, std::size_t caretCharacters) {
    pushing_ = true;
    SetText(IDE_OUTPUT_PATH, text);
    pushing_ = false;
    // Code page 932 characters are one UTF-16 unit each.
    const auto caret = static_cast<WPARAM>(caretCharacters);
    SendDlgItemMessageW(Handle(), IDE_OUTPUT_PATH, EM_SETSEL, caret, static_cast<LPARAM>(caret));
    MessageBeep(MB_OK);
}

bool ConditionsPageWindow::OnInit() {
    // Never more characters than bytes; the byte bound is kept on each change.
    SendDlgItemMessageW(Handle(), IDE_OUTPUT_PATH, EM_LIMITTEXT, kOutputPathFieldBytes, 0);
    SendDlgItemMessageW(Handle(), IDE_END_MONTH, EM_LIMITTEXT, 2, 0);
    return true;
}

bool ConditionsPageWindow::OnCommand(int id, int code, HWND) {
    if (pushing_) return true;
    if (id == IDE_END_MONTH && code == EN_CHANGE) page_.OnEndMonthChanged(Text(IDE_END_MONTH));
    if (id == IDE_OUTPUT_PATH && code == EN_CHANGE) {
        page_.OnOutputPathChanged(Text(IDE_OUTPUT_PATH));
    }
    if (id == IDX_TAX_INCLUSIVE && code == BN_CLICKED) {
        page_.OnTaxClicked(IsDlgButtonChecked(Handle(), IDX_TAX_INCLUSIVE) == BST_CHECKED);
    }
    if (id == IDB_BROWSE && code == BN_CLICKED) page_.BrowseOutputFile();
    return true;
}

HWND ConditionsPageWindow::Control(int controlId) const {
    const bool own = controlId >= IDB_RUN && controlId <= IDB_NEXT;
    return own ? GetDlgItem(GetParent(Handle()), controlId) : Item(controlId);
}

std::string ConditionsPageWindow::Text(int controlId) const {
    HWND control = Item(controlId);
    const int length = GetWindowTextLengthW(control);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    GetWindowTextW(control, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(length));
    // A character the code page lacks reads as "?", which the checks of
    // "実行(F12)" refuse in a path; the end month field takes digits only.
    std::string narrow;
    static_cast<void>(Cp932FromWide(text, narrow));
    return narrow;
}

void ConditionsPageWindow::SetText(int controlId, const std::string& text) {
    SetDlgItemTextW(Handle(), controlId, WideFromCp932(text).c_str());
}
