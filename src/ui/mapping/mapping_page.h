// The two mapping pages of the condition entry sheet: ClCEPage2 "主要科目"
// (the main accounts) and ClCEPage3 "月別売上等" (the monthly sales). Each
// shows the items of its part of the statement: labels, and buttons that
// open the account selection dialog for their item and whose tips list the
// item's accounts. Their decisions, without the window
// (mapping_page_win.cpp shows them).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "model/item_catalogue.h"
#include "model/mapping_list.h"
#include "model/page_binding.h"
#include "platform/key_message.h"
#include "ui/mapping/account_select_dialog.h"
#include "ui/mapping/amount_texts.h"
#include "ui/mapping/mapped_accounts_text.h"

// An item button's tip.
struct ItemTip {
    int controlId;
    std::string text;
};

// What a mapping page asks of its window. The Win32 page implements it;
// tests record it.
class MappingPageView {
  public:
    virtual ~MappingPageView() = default;

    virtual void SetControlText(int controlId, const std::string& text) = 0;
    virtual void EnableControl(int controlId, bool enabled) = 0;
    // Creates the page's tooltip with one tool per item button, in this order.
    virtual void SetUpTips(const std::vector<ItemTip>& tips) = 0;
    virtual void UpdateTip(const ItemTip& tip) = 0;
    // Runs the dialog modally over the sheet until it closes.
    virtual void RunAccountDialog(ClAccountSelectDialog& dialog) = 0;
};

// What the sheet gives its mapping pages at its initialisation.
struct MappingPageLinks {
    // The chart of accounts the account dialogs look accounts up in.
    const AccountDirectory* accounts = nullptr;
    const ItemCatalogue* itemCatalogue = nullptr;
    MappingList* currentMapping = nullptr;
    const MappingList* defaultMapping = nullptr;
    // The tip text of an item: the accounts that currentMapping maps to it.
    std::function<std::string(int itemNo)> describeItem;
    // The amounts the tips and the account dialog show; none: no amounts.
    AmountsSource amounts;
};

class ClMappingPage {
  public:
    virtual ~ClMappingPage() = default;

    // Set by the sheet's initialisation; until then every handler does
    // nothing.
    void Link(const MappingPageLinks& links) { links_ = links; }
    void AttachView(MappingPageView* view) { view_ = view; }

    // The item that the page's button `controlId` stands for; 0 when the
    // control is no item button of the page.
    std::int16_t ItemOfButton(int controlId) const;

    // Sets the labels and buttons from the catalogue (the equity total's
    // text follows `netAssetsStyle`).
    void ShowItems(bool netAssetsStyle);
    // One tip per item button, in the page's button order.
    void SetUpItemTips();
    // The page became current: every tip anew, with the amounts under the
    // conditions as they stand (the first time, the sheet reads them).
    void RefreshItemTips();
    // The button `controlId` was pressed: the account dialog for its item,
    // then the button's tip anew, whether the dialog applied or cancelled.
    void OnItemButton(int controlId);
    // The page's key filter, for a key message to its control
    // `targetControlId` (0 for none); true when it consumed the message.
    bool FilterKey(const KeyMessage& message, int targetControlId);

  protected:
    explicit ClMappingPage(MappingPage page) : page_(page) {}

  private:
    bool Linked() const {
        return links_.itemCatalogue != nullptr && links_.currentMapping != nullptr;
    }
    // With `amounts` (when not null) the tip shows them.
    std::string Describe(int itemNo, const TipAmounts* amounts) const;
    std::unique_ptr<TipAmounts> PrepareAmounts() const;

    MappingPage page_;
    MappingPageLinks links_;
    MappingPageView* view_ = nullptr;
};

class ClCEPage2 : public ClMappingPage {
  public:
    ClCEPage2() : ClMappingPage(MappingPage::kMainAccounts) {}
};

class ClCEPage3 : public ClMappingPage {
  public:
    ClCEPage3() : ClMappingPage(MappingPage::kMonthlySales) {}
};
