#include "ui/mapping/mapping_page.h"

#include "model/statement_item.h"
#include "res/condition_sheet_res.h"

namespace {

struct ItemControlId {
    std::int16_t itemNo;
    int controlId;
};

// The controls that show the items of each page.
constexpr ItemControlId kMainAccountsIds[] = {
    {1, IDT_ITEM1},   {2, IDB_ITEM2},   {3, IDT_ITEM3},   {4, IDB_ITEM4},   {5, IDB_ITEM5},
    {6, IDB_ITEM6},   {7, IDB_ITEM7},   {8, IDB_ITEM8},   {9, IDB_ITEM9},   {10, IDB_ITEM10},
    {11, IDT_ITEM11}, {12, IDB_ITEM12}, {13, IDB_ITEM13}, {14, IDB_ITEM14}, {15, IDB_ITEM15},
    {16, IDB_ITEM16}, {17, IDT_ITEM17}, {18, IDB_ITEM18}, {19, IDT_ITEM19}, {21, IDB_ITEM21},
    {22, IDB_ITEM22}, {23, IDB_ITEM23}, {24, IDB_ITEM24}, {25, IDB_ITEM25}, {26, IDB_ITEM26},
    {27, IDB_ITEM27}, {28, IDB_ITEM28}, {29, IDB_ITEM29}, {31, IDB_ITEM31}, {32, IDB_ITEM32},
    {33, IDB_ITEM33}, {34, IDB_ITEM34},
};
constexpr ItemControlId kMonthlySalesIds[] = {
    {36, IDB_ITEM36}, {37, IDB_ITEM37}, {38, IDB_ITEM38}, {39, IDB_ITEM39},
    {40, IDB_ITEM40}, {41, IDB_ITEM41}, {42, IDB_ITEM42}, {43, IDB_ITEM43},
};

// The control of `page` that plays `role` (for item `itemNo`); 0 for none.
int ControlIdOf(MappingPage page, ControlRole role, int itemNo) {
    if (role == ControlRole::kCostOfSalesHeading) return IDT_COST_OF_SALES_HEADING;
    if (role == ControlRole::kEquityTotal) return IDT_EQUITY_TOTAL;
    if (page == MappingPage::kMainAccounts) {
        for (const ItemControlId& control : kMainAccountsIds)
            if (control.itemNo == itemNo) return control.controlId;
    } else {
        for (const ItemControlId& control : kMonthlySalesIds)
            if (control.itemNo == itemNo) return control.controlId;
    }
    return 0;
}

}  // namespace

std::int16_t ClMappingPage::ItemOfButton(int controlId) const {
    for (const ItemControl& control : ItemControlsOf(page_)) {
        if (control.role == ControlRole::kItemButton &&
            ControlIdOf(page_, control.role, control.itemNo) == controlId) {
            return control.itemNo;
        }
    }
    return 0;
}

std::string ClMappingPage::Describe(int itemNo, const TipAmounts* amounts) const {
    if (amounts != nullptr && links_.accounts != nullptr) {
        return DescribeMappedAmounts(*links_.currentMapping, itemNo, *links_.accounts, *amounts);
    }
    return links_.describeItem ? links_.describeItem(itemNo) : std::string();
}

std::unique_ptr<TipAmounts> ClMappingPage::PrepareAmounts() const {
    if (!links_.amounts) return nullptr;
    return PrepareTipAmounts(links_.amounts(), *links_.currentMapping, *links_.itemCatalogue);
}

void ClMappingPage::ShowItems(bool netAssetsStyle) {
    if (!Linked() || view_ == nullptr) return;
    for (const ControlBinding& binding :
         BindPageControls(page_, *links_.itemCatalogue, netAssetsStyle)) {
        if (binding.leaveAsIs) continue;
        const int controlId = ControlIdOf(page_, binding.role, binding.itemNo);
        view_->SetControlText(controlId, binding.text);
        if (binding.role == ControlRole::kItemButton) {
            view_->EnableControl(controlId, binding.enabled);
        }
    }
}

void ClMappingPage::SetUpItemTips() {
    if (!Linked() || view_ == nullptr) return;
    std::vector<ItemTip> tips;
    for (const ItemControl& control : ItemControlsOf(page_)) {
        if (control.role != ControlRole::kItemButton) continue;
        tips.push_back(
            {ControlIdOf(page_, control.role, control.itemNo), Describe(control.itemNo, nullptr)});
    }
    view_->SetUpTips(tips);
}

void ClMappingPage::RefreshItemTips() {
    if (!Linked() || view_ == nullptr || !links_.amounts) return;
    const std::unique_ptr<TipAmounts> amounts = PrepareAmounts();
    for (const ItemControl& control : ItemControlsOf(page_)) {
        if (control.role != ControlRole::kItemButton) continue;
        view_->UpdateTip({ControlIdOf(page_, control.role, control.itemNo),
                          Describe(control.itemNo, amounts.get())});
    }
}

void ClMappingPage::OnItemButton(int controlId) {
    const std::int16_t itemNo = ItemOfButton(controlId);
    if (!Linked() || view_ == nullptr || itemNo == 0) return;
    if (const StatementItem* item = links_.itemCatalogue->FindItem(itemNo)) {
        ClAccountSelectDialog dialog;
        dialog.accounts = links_.accounts;
        dialog.itemNo = item->itemNo;
        dialog.captionText = item->name();
        dialog.classCodes = &item->classCodes;
        dialog.currentMapping = links_.currentMapping;
        dialog.defaultMapping = links_.defaultMapping;
        dialog.itemSide = item->side;
        dialog.itemCatalogue = links_.itemCatalogue;
        dialog.amounts = links_.amounts;
        // Applied or cancelled, the dialog has already written any change.
        view_->RunAccountDialog(dialog);
    }
    view_->UpdateTip({controlId, Describe(itemNo, PrepareAmounts().get())});
}

bool ClMappingPage::FilterKey(const KeyMessage& message, int targetControlId) {
    // Alt+F4 would close the sheet past its exit dialogue.
    if (message.IsAltF4()) return true;
    if (!message.IsDown() || message.key != kKeyEnter || ItemOfButton(targetControlId) == 0) {
        return false;
    }
    // Enter presses the button; with a modifier held it does nothing, where
    // the dialog manager would press the focused button all the same.
    if (message.IsPlainKeyDown()) OnItemButton(targetControlId);
    return true;
}
