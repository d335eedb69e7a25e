// Which control of the two mapping pages shows which statement item, and the
// texts and states the catalogue gives them. The sheet applies the result to
// the real controls.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/item_catalogue.h"

enum class MappingPage { kMainAccounts, kMonthlySales };
enum class ControlKind { kLabel, kButton };

struct ItemControl {
    std::int16_t itemNo;
    int controlId;
    ControlKind kind;
};

// The item controls of a page in item number order. The buttons among them,
// in this order, are the order of the page's tooltips and key handling.
const std::vector<ItemControl>& ItemControlsOf(MappingPage page);

// Fixed texts of the main accounts page.
constexpr int kCostOfSalesHeadingId = 1027;
constexpr int kEquityTotalLabelId = 1035;

struct ControlBinding {
    int controlId = 0;
    ControlKind kind = ControlKind::kLabel;
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
