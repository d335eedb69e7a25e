// What one run of the aggregation did, kept when asked for, so that every
// figure of the statement can be traced to its sources: each totals row read
// with the balance worked out for it, and each change made to an item, in
// the order the aggregation made them. It costs memory in proportion to the
// rows and the changes, and nothing when no record is asked for.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "aggregate/class_figures.h"
#include "model/account_id_text.h"
#include "model/statement_item.h"

struct RowRecord {
    AccountIdBytes id{};
    std::uint32_t classCode = 0;
    std::uint8_t side = 0;
    bool unmapped = false;
    // The balance over the chosen months in the account's own direction,
    // in ten-thousandths.
    std::int64_t balance = 0;
};

struct ItemChange {
    enum class Kind {
        kAccount,    // a mapped account's balance added or subtracted
        kFigure,     // a keyword put a classification figure in the item
        kRemainder,  // a keyword put a figure less the items before it
    };
    Kind kind = Kind::kAccount;
    // Positions in the item catalogue and the current mapping.
    std::size_t item = 0;
    std::size_t entry = 0;
    // kAccount: the row, and +1 when added (same side), -1 when subtracted.
    std::size_t row = 0;
    int sign = 1;
    // kAccount on a main item: the balance as applied (sign included); on a
    // monthly item, each month's value as applied, index 1 to 12.
    std::int64_t amount = 0;
    std::array<std::int64_t, kAmountSlots> months{};
    // kAccount on a monthly item: the opening balance (slot 0) in the
    // account's own direction and the month it went into; 0 for none.
    std::int64_t opening = 0;
    int openingMonth = 0;
    // kFigure and kRemainder: the figure, and for kRemainder the items
    // summed and subtracted from it.
    ClassFigure figure = ClassFigure::kSales;
    std::int64_t figureValue = 0;
    std::vector<std::size_t> subtracted;
};

struct AggregationRecord {
    std::vector<RowRecord> rows;
    std::vector<ItemChange> changes;
    // The figures as the walk left them, and whether a row gave each.
    std::array<std::int64_t, kClassFigureCount> figures{};
    std::array<bool, kClassFigureCount> figureFound{};
};
