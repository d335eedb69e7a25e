#include "model/page_binding.h"

#include <cstddef>
#include <string>
#include <vector>

#include "model/item_catalogue.h"
#include "model/statement_item.h"

namespace {

constexpr ControlRole kLabel = ControlRole::kItemLabel;
constexpr ControlRole kButton = ControlRole::kItemButton;

ControlBinding BindToItem(const ItemControl& control, const StatementItem& item) {
    ControlBinding binding;
    binding.role = control.role;
    binding.itemNo = control.itemNo;
    const bool unused = item.IsUnusedSlot();
    binding.text = unused ? std::string() : item.name();
    binding.enabled = control.role == kLabel || !unused;
    return binding;
}

ControlBinding FixedText(ControlRole role, const char* text) {
    ControlBinding binding;
    binding.role = role;
    binding.text = text;
    return binding;
}

}  // namespace

const std::vector<ItemControl>& ItemControlsOf(MappingPage page) {
    // Items 20, 30 and 35 have no control.
    static const std::vector<ItemControl> kMainAccountsControls = {
        {1, kLabel},   {2, kButton},  {3, kLabel},   {4, kButton},  {5, kButton},  {6, kButton},
        {7, kButton},  {8, kButton},  {9, kButton},  {10, kButton}, {11, kLabel},  {12, kButton},
        {13, kButton}, {14, kButton}, {15, kButton}, {16, kButton}, {17, kLabel},  {18, kButton},
        {19, kLabel},  {21, kButton}, {22, kButton}, {23, kButton}, {24, kButton}, {25, kButton},
        {26, kButton}, {27, kButton}, {28, kButton}, {29, kButton}, {31, kButton}, {32, kButton},
        {33, kButton}, {34, kButton},
    };
    static const std::vector<ItemControl> kMonthlySalesControls = {
        {36, kButton}, {37, kButton}, {38, kButton}, {39, kButton},
        {40, kButton}, {41, kButton}, {42, kButton}, {43, kButton},
    };
    return page == MappingPage::kMainAccounts ? kMainAccountsControls : kMonthlySalesControls;
}

std::vector<ControlBinding> BindPageControls(MappingPage page, const ItemCatalogue& itemCatalogue,
                                             bool netAssetsStyle) {
    const std::vector<ItemControl>& controls = ItemControlsOf(page);
    std::vector<ControlBinding> bindings;
    for (const ItemControl& control : controls) {
        ControlBinding untouched;
        untouched.role = control.role;
        untouched.itemNo = control.itemNo;
        untouched.leaveAsIs = true;
        bindings.push_back(untouched);
    }
    // Walk the whole catalogue so that a repeated item number ends with its
    // last item, as when the texts are set line by line.
    for (const StatementItem& item : itemCatalogue) {
        for (std::size_t i = 0; i < controls.size(); ++i) {
            if (controls[i].itemNo == item.itemNo) bindings[i] = BindToItem(controls[i], item);
        }
    }
    if (page == MappingPage::kMainAccounts) {
        bindings.insert(bindings.begin(),
                        FixedText(ControlRole::kCostOfSalesHeading, "売上原価のうち"));
        bindings.push_back(FixedText(ControlRole::kEquityTotal,
                                     netAssetsStyle ? "純資産の部合計" : "資本の部合計"));
    }
    return bindings;
}
