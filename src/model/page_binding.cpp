#include "model/page_binding.h"

#include <cstddef>
#include <string>
#include <vector>

#include "model/item_catalogue.h"
#include "model/statement_item.h"

namespace {

constexpr ControlKind kLabel = ControlKind::kLabel;
constexpr ControlKind kButton = ControlKind::kButton;

ControlBinding BindToItem(const ItemControl& control, const StatementItem& item) {
    ControlBinding binding;
    binding.controlId = control.controlId;
    binding.kind = control.kind;
    const bool unused = item.IsUnusedSlot();
    binding.text = unused ? std::string() : item.name();
    binding.enabled = control.kind == kLabel || !unused;
    return binding;
}

ControlBinding FixedText(int controlId, const char* text) {
    ControlBinding binding;
    binding.controlId = controlId;
    binding.kind = kLabel;
    binding.text = text;
    return binding;
}

}  // namespace

const std::vector<ItemControl>& ItemControlsOf(MappingPage page) {
    // Items 20, 30 and 35 have no control.
    static const std::vector<ItemControl> kMainAccountsControls = {
        {1, 1020, kLabel},   {2, 1026, kButton},  {3, 1021, kLabel},   {4, 1029, kButton},
        {5, 1030, kButton},  {6, 1031, kButton},  {7, 1032, kButton},  {8, 1033, kButton},
        {9, 1038, kButton},  {10, 1039, kButton}, {11, 1022, kLabel},  {12, 1040, kButton},
        {13, 1041, kButton}, {14, 1042, kButton}, {15, 1043, kButton}, {16, 1046, kButton},
        {17, 1023, kLabel},  {18, 1047, kButton}, {19, 1024, kLabel},  {21, 1048, kButton},
        {22, 1049, kButton}, {23, 1050, kButton}, {24, 1051, kButton}, {25, 1052, kButton},
        {26, 1055, kButton}, {27, 1056, kButton}, {28, 1057, kButton}, {29, 1058, kButton},
        {31, 1061, kButton}, {32, 1063, kButton}, {33, 1064, kButton}, {34, 1065, kButton},
    };

    static const std::vector<ItemControl> kMonthlySalesControls = {
        {36, 1029, kButton}, {37, 1030, kButton}, {38, 1031, kButton}, {39, 1032, kButton},
        {40, 1033, kButton}, {41, 1034, kButton}, {42, 1035, kButton}, {43, 1036, kButton},
    };
    return page == MappingPage::kMainAccounts ? kMainAccountsControls : kMonthlySalesControls;
}

std::vector<ControlBinding> BindPageControls(MappingPage page, const ItemCatalogue& itemCatalogue,
                                             bool netAssetsStyle) {
    const std::vector<ItemControl>& controls = ItemControlsOf(page);
    std::vector<ControlBinding> bindings;
    for (const ItemControl& control : controls) {
        ControlBinding untouched;
        untouched.controlId = control.controlId;
        untouched.kind = control.kind;
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
        bindings.insert(bindings.begin(), FixedText(kCostOfSalesHeadingId, "売上原価のうち"));
        bindings.push_back(
            FixedText(kEquityTotalLabelId, netAssetsStyle ? "純資産の部合計" : "資本の部合計"));
    }
    return bindings;
}
