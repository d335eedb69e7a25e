// A mapping page's window (templates 202 and 203): it shows what its
// ClMappingPage decides, keeps the page's tooltip and forwards the page's
// events to it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/win/dialog_win.h"
#include "ui/mapping/mapping_page.h"

class MappingPageWindow final : public PropertyPage, public MappingPageView {
  public:
    // `activated` runs whenever the page becomes the sheet's current page.
    MappingPageWindow(ClMappingPage& page, std::function<void()> activated)
        : page_(page), activated_(std::move(activated)) {}

    // The page's message filter (ModalLoop::Filter): mouse moves are relayed
    // to the tooltip, keys go to the page's key filter.
    bool Filter(const MSG& message, HWND child);

    void SetControlText(int controlId, const std::string& text) override;
    void EnableControl(int controlId, bool enabled) override;
    void SetUpTips(const std::vector<ItemTip>& tips) override;
    void UpdateTip(const ItemTip& tip) override;
    void RunAccountDialog(ClAccountSelectDialog& dialog) override;

  protected:
    bool OnCommand(int id, int code, HWND control) override;
    void OnSetActive() override { activated_(); }

  private:
    void SendTool(UINT message, const ItemTip& tip);

    ClMappingPage& page_;
    std::function<void()> activated_;
    // Owned by the page window, which destroys it.
    HWND tooltip_ = nullptr;
};
