// The amounts of the kept totals rows under one set of conditions (end
// month and tax view): every row's balance, what each account adds to an
// item, and every item's amounts as the run will write them. All of it
// comes from the run's own balance rule and walk (account_balance.h,
// totals_walk.h), so the sheet shows what the XML will hold.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "aggregate/account_balance.h"
#include "aggregate/kept_totals.h"
#include "aggregate/totals_walk.h"
#include "model/item_catalogue.h"
#include "model/mapping_list.h"

// The whole yen the XML shows of an item's amounts, truncated toward zero:
// a main item's amount, or the sum of a monthly item's months.
std::int64_t ShownYen(int itemNo, const ItemAmounts& amounts);

class PeriodAmounts {
  public:
    // `kept` must outlive this object; `period` lies within the year.
    // Works out every row's balance at once.
    PeriodAmounts(const KeptTotals& kept, const AggregationPeriod& period);

    // False when a balance reached the amounts' bound: the run would fail,
    // and nothing here is to be shown.
    bool ok() const { return ok_; }
    const AggregationPeriod& period() const { return period_; }

    // W of row `row` (a position in the kept rows).
    std::int64_t RowBalance(std::size_t row) const { return balances_.at(row); }

    // What the account `accountId` (an id text) adds to item `itemNo` of
    // side `itemSide`: its rows that the host lets be mapped, each added
    // when its side is the item's and subtracted otherwise. Zero for a text
    // that names no row; nothing at the amounts' bound.
    std::optional<ItemAmounts> Contribution(const std::string& accountId, int itemNo,
                                            int itemSide) const;

    // `items` (their amounts at zero) receive what the run gives them under
    // `mapping`: the run's walk over the kept rows. The figures it kept go
    // to `figures` when given. False at the amounts' bound.
    bool FillItems(const MappingList& mapping, ItemCatalogue& items,
                   TotalsWalk::Figures* figures = nullptr) const;

  private:
    const KeptTotals& kept_;
    AggregationPeriod period_;
    bool ok_ = true;
    std::vector<std::int64_t> balances_;
};
