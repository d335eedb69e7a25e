// What the condition entry sheet asks of its window. The Win32 sheet
// implements it; tests record it.
#pragma once

#include <string>

class SheetView {
  public:
    virtual ~SheetView() = default;

    // Message boxes owned by the sheet, captioned "事業概況書".
    virtual bool AskYesNo(const std::string& text) = 0;
    virtual void ShowInformation(const std::string& text) = 0;
    virtual void ShowError(const std::string& text) = 0;

    // 0 page 1, 1 page 2, 2 page 3.
    virtual void ActivatePage(int index) = 0;
    // Focus to page 1's control `controlId`, its whole text selected and
    // scrolled into view.
    virtual void FocusConditionField(int controlId) = 0;
    virtual void EnableNavigation(bool previousEnabled, bool nextEnabled) = 0;
    virtual void EndSheet(int endCode) = 0;
};
