// The text of an item button's tooltip: the names of the accounts mapped to
// the item and, once the sheet has amounts, what each adds to the item and
// the item's total.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "aggregate/totals_walk.h"
#include "model/account_directory.h"
#include "model/item_catalogue.h"
#include "model/mapping_list.h"
#include "ui/mapping/amount_texts.h"

// The tooltip text holds at most this many bytes.
constexpr std::size_t kMappedAccountsTextBytes = 9999;

// The text when no mapped account is found.
extern const char kNoMappedAccountsText[];

// The names of the accounts that `currentMapping` maps to `itemNo`, in list
// order, joined by " / ", each exactly as the account record stores it.
// Entries that name no account (gone from the table, or a reserved figure
// keyword) are skipped. The text stops before the first name that would take
// it past kMappedAccountsTextBytes.
std::string DescribeMappedAccounts(const MappingList& currentMapping, int itemNo,
                                   const AccountDirectory& accounts);

// What the tips of a page show their amounts from, worked out once for all
// of them: the amounts under the current conditions, and every item's
// amounts and the host's figures under the current mapping.
struct TipAmounts {
    AmountsOnScreen shown;
    ItemCatalogue items;
    TotalsWalk::Figures figures{};
};
// Null when there are no amounts to show.
std::unique_ptr<TipAmounts> PrepareTipAmounts(const AmountsOnScreen& shown,
                                              const MappingList& currentMapping,
                                              const ItemCatalogue& itemCatalogue);

// The tip of `itemNo` with amounts, one line each: every account that
// `currentMapping` maps to it (name without trailing blanks, and what it
// adds to the item), every figure keyword with the host's figure, then the
// item's total as the XML will hold it, with its period and tax view.
// Lines that would take the text past kMappedAccountsTextBytes are left out.
std::string DescribeMappedAmounts(const MappingList& currentMapping, int itemNo,
                                  const AccountDirectory& accounts, const TipAmounts& amounts);
