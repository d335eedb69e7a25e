#include "platform/win/message_box_win.h"

#include "platform/win/code_page.h"

bool ShowProgramMessage(HWND owner, const std::string& cp932Text, MessageKind kind) {
    UINT style = MB_OK | MB_ICONEXCLAMATION;
    if (kind == MessageKind::kQuestion) style = MB_YESNO | MB_ICONQUESTION;
    if (kind == MessageKind::kInformation) style = MB_OK | MB_ICONINFORMATION;
    const int answer = MessageBoxW(owner, WideFromCp932(cp932Text).c_str(), L"事業概況書", style);
    return kind == MessageKind::kQuestion ? answer == IDYES : answer == IDOK;
}
