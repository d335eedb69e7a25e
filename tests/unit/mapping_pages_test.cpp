// The mapping pages' decisions: which item a button stands for, their keys,
// the account dialog an item button opens and the tips around it.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "res/condition_sheet_res.h"
#include "tests/unit/fakes/recording_views.h"
#include "ui/mapping/mapping_page.h"

namespace {

void Add(ItemCatalogue& catalogue, int itemNo, const std::string& name) {
    StatementItem item;
    item.itemNo = static_cast<std::int16_t>(itemNo);
    item.SetName(name);
    item.classCodes[0] = 0x40888200;
    catalogue.Append(item);
}

class MappingPages : public ::testing::Test {
  protected:
    void SetUp() override {
        Add(catalogue, 1, "売上高");
        Add(catalogue, 2, "-");
        Add(catalogue, 42, "月別");
        const MappingPageLinks links = {nullptr,
                                        &catalogue,
                                        &current,
                                        &defaults,
                                        [this](int itemNo) {
                                            return "item " + std::to_string(itemNo) + " has " +
                                                   std::to_string(current.size()) + " entries";
                                        },
                                        nullptr};
        page2.Link(links);
        page3.Link(links);
        page2.AttachView(&view2);
        page3.AttachView(&view3);
    }
    ItemCatalogue catalogue;
    MappingList current, defaults;
    ClCEPage2 page2;
    ClCEPage3 page3;
    RecordingMappingPageView view2, view3;
};

TEST_F(MappingPages, EachButtonStandsForItsItemOnItsPageOnly) {
    const struct {
        const ClMappingPage& page;
        int controlId;
        int itemNo;
    } cases[] = {
        {page2, IDB_ITEM2, 2},   {page2, IDB_ITEM9, 9},        {page2, IDB_ITEM34, 34},
        {page2, IDT_ITEM1, 0},   {page2, IDT_EQUITY_TOTAL, 0}, {page2, 0, 0},
        {page3, IDB_ITEM36, 36}, {page3, IDB_ITEM42, 42},      {page3, IDB_ITEM43, 43},
        {page3, IDB_ITEM2, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.page.ItemOfButton(c.controlId), c.itemNo) << c.controlId;
}

TEST_F(MappingPages, TipsForEveryButtonInButtonOrder) {
    page2.SetUpItemTips();
    page3.SetUpItemTips();
    // The page's buttons in the order of the model's items.
    std::vector<int> items, buttons;
    for (const ItemTip& tip : view2.tips)
        items.push_back(page2.ItemOfButton(tip.controlId));
    for (const ItemControl& control : ItemControlsOf(MappingPage::kMainAccounts))
        if (control.role == ControlRole::kItemButton) buttons.push_back(control.itemNo);
    EXPECT_EQ(items, buttons);
    EXPECT_EQ(view2.tips.size(), 27u);
    ASSERT_EQ(view3.tips.size(), 8u);
    EXPECT_EQ(view3.tips[0].controlId, IDB_ITEM36);
    EXPECT_EQ(view3.tips[7].controlId, IDB_ITEM43);
    EXPECT_EQ(view3.tips[6].text, "item 42 has 0 entries");
}

TEST_F(MappingPages, ItemsShowOnTheirControlsAndOnlyButtonsChangeState) {
    page2.ShowItems(true);
    page3.ShowItems(false);
    EXPECT_EQ(view2.calls, (std::vector<std::string>{"text 1027 売上原価のうち", "text 1020 売上高",
                                                     "text 1026 ", "enable 1026 0",
                                                     "text 1035 純資産の部合計"}));
    EXPECT_EQ(view3.calls, (std::vector<std::string>{"text 1035 月別", "enable 1035 1"}));
}

TEST_F(MappingPages, APressOpensTheItemsDialogThenRefreshesItsTip) {
    view2.inDialog = [this](ClAccountSelectDialog& dialog) {
        EXPECT_EQ(dialog.classCodes, &catalogue.FindItem(dialog.itemNo)->classCodes);
        EXPECT_EQ(dialog.currentMapping, &current);
        EXPECT_EQ(dialog.defaultMapping, &defaults);
        current.ReplaceSources(dialog.itemNo, {"0x01"});  // the user applies an account
    };
    page2.OnItemButton(IDB_ITEM2);
    // An item the catalogue lacks opens nothing, but its tip is brought up to date.
    page2.OnItemButton(IDB_ITEM4);
    page2.OnItemButton(IDT_ITEM1);
    EXPECT_EQ(view2.calls, (std::vector<std::string>{"dialog 2 -", "tip 1026 item 2 has 1 entries",
                                                     "tip 1029 item 4 has 1 entries"}));

    ClCEPage3 unlinked;
    unlinked.AttachView(&view3);
    unlinked.OnItemButton(IDB_ITEM42);
    unlinked.SetUpItemTips();
    unlinked.ShowItems(false);
    EXPECT_TRUE(view3.calls.empty() && view3.tips.empty()) << "before the sheet links the page";
}

TEST_F(MappingPages, ActivationRefreshesEveryTipAskingForTheAmountsOnce) {
    int asked = 0;
    MappingPageLinks links = {nullptr,
                              &catalogue,
                              &current,
                              &defaults,
                              [](int itemNo) { return "item " + std::to_string(itemNo); },
                              [&asked] {
                                  ++asked;
                                  return AmountsOnScreen();
                              }};
    page2.Link(links);
    page2.RefreshItemTips();
    EXPECT_EQ(asked, 1);
    ASSERT_EQ(view2.calls.size(), 27u);
    EXPECT_EQ(view2.calls.front(), "tip 1026 item 2") << "without amounts, the tip as before";
    view2.inDialog = [&asked](ClAccountSelectDialog& dialog) {
        EXPECT_TRUE(static_cast<bool>(dialog.amounts));
        EXPECT_EQ(asked, 1) << "the dialog asks when it initialises";
    };
    page2.OnItemButton(IDB_ITEM2);
    EXPECT_EQ(asked, 2) << "the tip after the dialog";
    // Without a source of amounts the tips stay as they were set up.
    page3.RefreshItemTips();
    EXPECT_TRUE(view3.calls.empty());
}

TEST_F(MappingPages, KeysOnThePage) {
    using Kind = KeyMessageKind;
    const struct {
        ClMappingPage* page;
        const char* modifiers;  // of "SCA": Shift, Ctrl, Alt
        const char* dialog;     // the dialog the key opened, or ""
        std::uint32_t key;
        int target;
        Kind kind;
        bool consumed;
    } cases[] = {
        {&page2, "A", "", kKeyF4, 0, Kind::kSystemKeyDown, true},
        {&page2, "A", "", kKeyF4, IDB_ITEM2, Kind::kOther, true},
        {&page2, "CA", "", kKeyF4, 0, Kind::kSystemKeyDown, false},
        {&page2, "", "dialog 2 -", kKeyEnter, IDB_ITEM2, Kind::kKeyDown, true},
        {&page2, "S", "", kKeyEnter, IDB_ITEM2, Kind::kKeyDown, true},
        {&page2, "C", "", kKeyEnter, IDB_ITEM2, Kind::kKeyDown, true},
        {&page2, "A", "", kKeyEnter, IDB_ITEM2, Kind::kSystemKeyDown, true},
        {&page2, "", "", kKeyEnter, IDB_ITEM2, Kind::kOther, false},
        {&page2, "", "", kKeyEnter, IDT_ITEM1, Kind::kKeyDown, false},
        {&page2, "", "", kKeyF12, IDB_ITEM2, Kind::kKeyDown, false},
        {&page3, "", "dialog 42 月別", kKeyEnter, IDB_ITEM42, Kind::kKeyDown, true},
    };
    for (const auto& c : cases) {
        view2.calls.clear();
        view3.calls.clear();
        KeyMessage key;
        key.kind = c.kind;
        key.key = c.key;
        key.shift = std::strchr(c.modifiers, 'S') != nullptr;
        key.ctrl = std::strchr(c.modifiers, 'C') != nullptr;
        key.alt = std::strchr(c.modifiers, 'A') != nullptr;
        EXPECT_EQ(c.page->FilterKey(key, c.target), c.consumed) << c.key << " to " << c.target;
        const auto& calls = c.page == &page2 ? view2.calls : view3.calls;
        EXPECT_EQ(calls.empty() ? "" : calls.front(), c.dialog) << c.key << " to " << c.target;
    }
}

}  // namespace
