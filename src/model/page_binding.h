// Which statement item each item control of the two mapping pages shows, and
// the texts and states the catalogue gives them. The pages map these roles
// to their controls and apply the result.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/item_catalogue.h"

enum class MappingPage { kMainAccounts, kMonthlySales };

// What a control of a mapping page is for: an item's label or button, or
// one of the two fixed texts of the main accounts page.
enum class ControlRole { kItemLabel, kItemButton, kCostOfSalesHeading, kEquityTotal };

struct ItemControl {
    std::int16_t itemNo;
    ControlRole role;  // kItemLabel or kItemButton
};

// The item controls of a page in item number order. The buttons among them,
// in this order, are the order of the page's tooltips and key handling.
const std::vector<ItemControl>& ItemControlsOf(MappingPage page);

struct ControlBinding {
    ControlRole role = ControlRole::kItemLabel;
    std::int16_t itemNo = 0;  // 0 for the fixed texts
    // The catalogue lacks the control's item: its template text and state stay.
    bool leaveAsIs = false;
    std::string text;
    // Applied to buttons only; labels keep their state.
    bool enabled = true;
};

// One binding per control of the page that the set-up touches: the item
// controls and, on the main accounts page, the cost-of-sales heading and
// the equity total label, whose text follows `netAssetsStyle`. When an item
// number occurs twice in the catalogue, the later item wins.
std::vector<ControlBinding> BindPageControls(MappingPage page, const ItemCatalogue& itemCatalogue,
                                             bool netAssetsStyle);
