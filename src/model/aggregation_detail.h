// How each figure of one run was made and what the checks of the mapping
// found: what the detail document beside the XML shows. Built from the
// aggregation's own record of the run; texts are code page 932, amounts
// ten-thousandths of a yen.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "model/statement_item.h"

// a + b, stopping at the limits of a 64-bit count instead of failing: for
// the sums the detail shows, which are never written.
inline std::int64_t SaturatingSum(std::int64_t a, std::int64_t b) {
    using Limits = std::numeric_limits<std::int64_t>;
    if (b > 0 && a > Limits::max() - b) return Limits::max();
    if (b < 0 && a < Limits::min() - b) return Limits::min();
    return a + b;
}
inline std::int64_t SaturatingDifference(std::int64_t a, std::int64_t b) {
    using Limits = std::numeric_limits<std::int64_t>;
    if (b < 0 && a > Limits::max() + b) return Limits::max();
    if (b > 0 && a < Limits::min() + b) return Limits::min();
    return a - b;
}

// The host's class codes carry the statement in their top digit: 8 the
// balance sheet, 4 profit and loss.
inline bool IsBalanceSheetClass(std::uint32_t classCode) {
    return classCode >> 28 == 0x8;
}

// What the run was asked for, as far as the detail and its checks need it.
struct DetailRun {
    // Positions (1 to 12) of the first and last aggregated months, and of
    // the month the data was introduced in, which holds the balances and
    // amounts of the months before it.
    int startPosition = 1;
    int endPosition = 12;
    int introPosition = 1;
    // The adjustment periods taken with the months: the year-end one only
    // when the months run to the fiscal year's last.
    bool yearEndIncluded = true;
    bool interimIncluded = false;
    bool taxInclusive = false;
    // The company's own setting of the tax view.
    bool companyTaxInclusive = false;
};

// An account as a mapping entry or a totals row names it.
struct DetailAccount {
    std::string accountId;
    // The full code and trimmed name of the dataset's account with that id;
    // code 0 and an empty name when the chart has none.
    std::int32_t code = 0;
    std::string name;
    // From its totals row: 0 when it has none.
    std::uint32_t classCode = 0;
    std::uint8_t side = 0;
    // Over the chosen months, in the account's own direction.
    std::int64_t balance = 0;
};

// One source of an item: one change the aggregation made to it, or a
// mapping entry that made none.
struct DetailSource {
    enum class Kind {
        kAccount,    // a mapped account's balance, added or subtracted
        kFigure,     // a figure the host classifies itself
        kRemainder,  // such a figure less the items before this one
        kNothing,    // an entry that changed nothing; `why` says why
    };
    enum class Why {
        kNone,
        kNoAccount,       // no account and no totals row has the id
        kNoTotalsRow,     // the account has no totals row
        kExcludedByHost,  // its rows are marked never to be mapped
        kNotApplied,      // a keyword that does not reach this item
    };
    Kind kind = Kind::kNothing;
    Why why = Why::kNone;
    // The entry's position in the current mapping and its text.
    std::size_t entry = 0;
    std::string accountId;

    // kAccount and kNothing.
    DetailAccount account;
    // kAccount: +1 added (same side as the item), -1 subtracted; the amount
    // as applied, sign included: `amount` on a main item, `months` (index 1
    // to 12) on a monthly one.
    int sign = 1;
    std::int64_t amount = 0;
    std::array<std::int64_t, kAmountSlots> months{};
    // kAccount on a monthly item: the opening balance in the account's own
    // direction and the month (1 to 12) it went into; 0 when it went into
    // none.
    std::int64_t opening = 0;
    int openingMonth = 0;
    // False when a figure set later replaced what this source gave.
    bool counted = true;

    // kFigure and kRemainder: the figure, whether a row gave it, and for
    // kRemainder the catalogue positions of the items subtracted.
    std::string figureName;
    std::uint32_t figureCode = 0;
    std::int64_t figureValue = 0;
    bool figureFound = false;
    std::vector<std::size_t> subtracted;
};

struct DetailFinding {
    enum class Kind {
        kPartYear,          // the months end before the fiscal year does
        kTaxView,           // a tax view other than the company's own
        kIntroMonth,        // the months before the introduction in one month
        kMonthsDiffer,      // a monthly item's months against the main items
        kBreakdownOver,     // the parts of a total larger than it
        kInventoryDiffers,  // closing inventory against the inventory assets
        kOpeningOnMonthly,  // a balance-sheet account on a monthly item
        kMappedTwice,       // one account more than once on one item
        kNoSuchAccount,     // an id that names no account of the dataset
        kOutsideClasses,    // an account outside the item's classes
        kUnusedAccounts,    // accounts of the item's classes no item uses
        kAssetsUnbalanced,  // assets differ from liabilities plus equity
        kExcludedByHost,    // a mapped account the host never maps
        kNoSuchItem,        // entries of an item number the catalogue lacks
        kFigureReplaces,    // a figure replaces the item's accounts
        kFigureMissing,     // a keyword's figure no row gave
        kSharedAccount,     // one account in several main items
        kNotWritten,        // sources of an item never written to the XML
    };
    enum class Level {
        kCheck,  // 要確認: a figure of the statement is affected; check it
        kNote,   // 参考: no figure is wrong by this alone
    };
    Kind kind = Kind::kMappedTwice;
    Level level = Level::kCheck;
    std::vector<int> items;
    std::vector<DetailAccount> accounts;
    // kMappedTwice: how often (`count`); kNoSuchAccount: how many rows of
    // such ids changed the item all the same (`count`); kAssetsUnbalanced:
    // assets (`value`) and liabilities plus equity (`other`); kFigureMissing:
    // the figure's name. kMonthsDiffer: the monthly item's months summed
    // (`value`) against its main items summed (`other`), `items` the
    // monthly item and then the main items; kBreakdownOver: the parts
    // summed, less a part the total subtracts (`value`), against the total
    // (`other`), `items` the parts and then the total; kInventoryDiffers:
    // closing inventory (`value`) against inventory assets (`other`),
    // `items` in that order. kOpeningOnMonthly: the
    // account's opening balance (`value`) and the month it went into
    // (`month`). kPartYear: the last month; kIntroMonth: the introduction
    // month (`month`).
    std::int64_t value = 0;
    std::int64_t other = 0;
    int count = 0;
    int month = 0;
    std::string figureName;
    // Whether the finding compares two figures, so that it has a difference.
    bool Compares() const {
        return kind == Kind::kMonthsDiffer || kind == Kind::kBreakdownOver ||
               kind == Kind::kInventoryDiffers || kind == Kind::kAssetsUnbalanced;
    }
};

// A monthly item and the main items its months must add up to, with both
// sums as the run made them.
struct DetailReconciliation {
    int monthlyItem = 0;
    // The main items of the catalogue it is compared with, in order.
    std::vector<int> mainItems;
    std::int64_t months = 0;
    std::int64_t main = 0;
    // A difference needs checking, rather than being a note.
    bool mustTie = false;
};

struct FindingCounts {
    int checks = 0;
    int notes = 0;
};
inline FindingCounts CountFindings(const std::vector<DetailFinding>& findings) {
    FindingCounts counts;
    for (const DetailFinding& finding : findings)
        (finding.level == DetailFinding::Level::kCheck ? counts.checks : counts.notes)++;
    return counts;
}

struct AggregationDetail {
    // Per position of the item catalogue, its sources in mapping order.
    std::vector<std::vector<DetailSource>> sources;
    std::vector<DetailFinding> findings;
    // The monthly items the catalogue has a counterpart of among the main
    // items, in catalogue order.
    std::vector<DetailReconciliation> reconciliations;
};
