// The conditions page's window (template 201): it shows what ClCEPage1
// decides and forwards the page's events to it.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "platform/win/dialog_win.h"
#include "ui/sheet/conditions_page.h"

class ConditionsPageWindow final : public PropertyPage, public Page1View {
  public:
    // `activated` runs whenever the page becomes the sheet's current page.
    ConditionsPageWindow(ClCEPage1& page, std::function<void()> activated)
        : page_(page), activated_(std::move(activated)) {}

    // The page's key filter (ModalLoop::Filter).
    bool Filter(const MSG& message, HWND child);

    void ShowTexts(const std::string& companyText, const std::string& periodText,
                   const std::string& startMonthText, const std::string& endMonthText,
                   const std::string& outputPathText, bool taxInclusive) override;
    void LockOutput() override;
    bool IsEnabled(int controlId) override { return IsWindowEnabled(Control(controlId)) != FALSE; }
    void FocusControl(int controlId, bool selectAll) override;
    std::optional<std::string> AskOutputFile(const std::string& folder,
                                             const std::string& fileName) override;

  protected:
    bool OnInit() override;
    bool OnCommand(int id, int code, HWND control) override;
    void OnSetActive() override { activated_(); }

  private:
    // A control of the page, or one of the sheet's own buttons.
    HWND Control(int controlId) const;
    std::string Text(int controlId) const;
    void SetText(int controlId, const std::string& text);

    ClCEPage1& page_;
    std::function<void()> activated_;
    // Texts pushed by the program raise change notifications too; they must
    // not reach the page.
    bool pushing_ = false;
};
