// The aggregation's balance rule: which slots of a totals row a period
// takes, an account's balance over them in its own direction, the months a
// monthly item spreads them over, and the classification figure a row
// gives. The run and the amounts the sheet shows before it both work out
// their figures here.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "aggregate/amount.h"
#include "aggregate/class_figures.h"
#include "aggregate/totals_filter.h"
#include "aggregate/totals_row.h"
#include "host/host_records.h"
#include "model/statement_item.h"

class ProgressSink;

// An item's amounts: [0] for a main item, [1] to [12] the months of a
// monthly item; ten-thousandths.
using ItemAmounts = std::array<std::int64_t, kAmountSlots>;

// What every row of one aggregation is read with.
struct AggregationPeriod {
    static constexpr std::size_t kYearEndSlot = 13;
    static constexpr std::size_t kInterimSlot = 14;

    TotalsRow::Column debit = TotalsRow::Column::kDebitExTax;
    TotalsRow::Column credit = TotalsRow::Column::kCreditExTax;
    int start = 1;  // S: first position of the period
    int end = 12;   // E: last position of the period
    bool yearEnd = false;
    bool interim = false;
    int introMonth = 1;

    // The months of `span`, in the tax view `taxInclusive` names, for
    // `dataset`'s interim settlement and introduction month.
    static AggregationPeriod Of(bool taxInclusive, const TotalsMonthSpan& span,
                                const DatasetRecord& dataset);
    // Both positions lie within the fiscal year: positions outside it would
    // address months and slots that do not exist.
    bool WithinYear() const;
    // N: the slots 0 to N-1 that the period takes.
    int SlotCount() const;
};

// W: the balance from the opening through position E in the row's own
// direction (side 1 debit, else credit). Ticks `progress` once per slot of
// the period. Throws AmountOutOfRange at the amounts' bound.
ClAmount AccountBalance(const TotalsRow& row, const AggregationPeriod& period,
                        ProgressSink& progress);

// The figure the row gives (its class code's, when its flags let it), or
// ClassFigure::kCount for none. A later row of the same code replaces an
// earlier one's figure.
ClassFigure FigureOfRow(const TotalsRow& row);

// The row's value of each slot a monthly item takes, in its own direction,
// and the month (1 to 12) it goes to: `add(month, value, slot)` in slot
// order. The opening goes to the month the data was introduced in, the
// adjustment periods to the period's last month; the interim period stands
// for the months after the sixth. Throws AmountOutOfRange at the bound.
template <typename Add>
void SpreadOverMonths(const TotalsRow& row, const AggregationPeriod& period, Add&& add) {
    const bool debitSide = row.side == 1;
    const int slotCount = period.SlotCount();
    constexpr int kInterimCount = static_cast<int>(AggregationPeriod::kInterimSlot) + 1;
    for (int i = 0; i < slotCount; ++i) {
        if (slotCount == kInterimCount && i > kInterimEndPosition &&
            i <= static_cast<int>(AggregationPeriod::kYearEndSlot)) {
            continue;
        }
        if (i == 0 && period.introMonth > period.end) continue;
        // Both lie within 1..12 since the positions do.
        int month = i;
        if (i == 0) month = period.introMonth <= 0 ? 1 : period.introMonth;
        if (i >= static_cast<int>(AggregationPeriod::kYearEndSlot)) month = period.end;
        const std::size_t slot = static_cast<std::size_t>(i);
        const ClAmount debits = ClAmount::FromCount(row.Amount(period.debit, slot));
        const ClAmount credits = ClAmount::FromCount(row.Amount(period.credit, slot));
        add(static_cast<std::size_t>(month), debitSide ? debits - credits : credits - debits, slot);
    }
}

// What row `row`, of balance `balance`, adds to the amounts of an item
// numbered `itemNo` on side `itemSide`: the balance to a main item, its
// months to a monthly item; added when the sides are equal, subtracted
// otherwise. `applied(target, value, sameSide, opening)` hears each change
// as it is made: the amount it changed, the value in the row's direction,
// and whether it is a monthly item's share of the opening balance. Throws
// AmountOutOfRange at the bound.
template <typename Applied>
void AddRowToItem(const TotalsRow& row, const ClAmount& balance, const AggregationPeriod& period,
                  int itemNo, int itemSide, ItemAmounts& amounts, Applied&& applied) {
    const bool sameSide = itemSide == row.side;
    const auto add = [&](std::size_t target, const ClAmount& value, std::size_t slot) {
        const ClAmount amount = ClAmount::FromCount(amounts[target]);
        amounts[target] = (sameSide ? amount + value : amount - value).ToCount();
        applied(target, value, sameSide, target != 0 && slot == 0);
    };
    if (itemNo < kFirstMonthlyItemNo) {
        add(0, balance, 0);
    } else {
        SpreadOverMonths(row, period, add);
    }
}
