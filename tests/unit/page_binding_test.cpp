#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/item_catalogue.h"
#include "model/page_binding.h"

namespace {

void Add(ItemCatalogue& catalogue, int itemNo, const std::string& name) {
    StatementItem item;
    item.itemNo = static_cast<std::int16_t>(itemNo);
    item.SetName(name);
    catalogue.Append(item);
}

ControlBinding Control(const std::vector<ControlBinding>& bindings, int itemNo) {
    for (const ControlBinding& binding : bindings) {
        if (binding.itemNo == itemNo) return binding;
    }
    ADD_FAILURE() << "no binding for item " << itemNo;
    return {};
}

ControlBinding Fixed(const std::vector<ControlBinding>& bindings, ControlRole role) {
    for (const ControlBinding& binding : bindings) {
        if (binding.role == role) return binding;
    }
    ADD_FAILURE() << "no fixed text";
    return {};
}

TEST(PageBinding, DashNameDisablesOnlyItsButtonAndEmptiesALabel) {
    ItemCatalogue catalogue;
    for (int itemNo = 1; itemNo <= 43; ++itemNo)
        Add(catalogue, itemNo, itemNo == 3 || itemNo == 7 ? "-" : "name" + std::to_string(itemNo));
    catalogue.FindItem(8)->SetName("売上-原価");
    const auto bindings = BindPageControls(MappingPage::kMainAccounts, catalogue, false);

    EXPECT_EQ(Control(bindings, 7).text, "");
    EXPECT_EQ(Control(bindings, 7).role, ControlRole::kItemButton);
    EXPECT_EQ(Control(bindings, 3).text, "") << "label of item 3";
    EXPECT_EQ(Control(bindings, 3).role, ControlRole::kItemLabel);
    EXPECT_EQ(Control(bindings, 8).text, "売上-原価");
    for (const ControlBinding& binding : bindings) {
        EXPECT_FALSE(binding.leaveAsIs) << binding.itemNo;
        EXPECT_EQ(binding.enabled, binding.itemNo != 7) << binding.itemNo;
        EXPECT_EQ(binding.text.find("name20"), std::string::npos) << "item 20 has no control";
    }
    EXPECT_EQ(Control(bindings, 34).text, "name34");
    EXPECT_EQ(Fixed(bindings, ControlRole::kEquityTotal).text, "資本の部合計") << "not item 42";

    const auto monthly = BindPageControls(MappingPage::kMonthlySales, catalogue, true);
    ASSERT_EQ(monthly.size(), 8u);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(monthly[i].itemNo, 36 + i);
        EXPECT_EQ(monthly[i].role, ControlRole::kItemButton);
        EXPECT_EQ(monthly[i].text, "name" + std::to_string(36 + i));
    }
}

TEST(PageBinding, MissingItemsAreLeftAsIsAndFixedTextsAlwaysSet) {
    ItemCatalogue catalogue;
    Add(catalogue, 2, "売上高");
    Add(catalogue, 99, "out of range");
    const auto bindings = BindPageControls(MappingPage::kMainAccounts, catalogue, true);
    EXPECT_FALSE(Control(bindings, 2).leaveAsIs);
    EXPECT_TRUE(Control(bindings, 1).leaveAsIs);
    EXPECT_TRUE(Control(bindings, 31).leaveAsIs);
    EXPECT_EQ(Fixed(bindings, ControlRole::kCostOfSalesHeading).text, "売上原価のうち");
    EXPECT_EQ(Fixed(bindings, ControlRole::kEquityTotal).text, "純資産の部合計");
}

TEST(PageBinding, LaterOfTwoEqualItemNumbersWins) {
    ItemCatalogue catalogue;
    Add(catalogue, 5, "-");
    Add(catalogue, 5, "仕入高");
    EXPECT_TRUE(Control(BindPageControls(MappingPage::kMainAccounts, catalogue, false), 5).enabled);
    Add(catalogue, 5, "-");
    EXPECT_FALSE(
        Control(BindPageControls(MappingPage::kMainAccounts, catalogue, false), 5).enabled);
}

TEST(PageBinding, MainAccountsButtonsInTheirDocumentedOrder) {
    std::vector<int> buttons;
    for (const ItemControl& control : ItemControlsOf(MappingPage::kMainAccounts)) {
        if (control.role == ControlRole::kItemButton) buttons.push_back(control.itemNo);
    }
    EXPECT_EQ(buttons, (std::vector<int>{2,  4,  5,  6,  7,  8,  9,  10, 12, 13, 14, 15, 16, 18,
                                         21, 22, 23, 24, 25, 26, 27, 28, 29, 31, 32, 33, 34}));
}

}  // namespace
