// How each figure of one run was made and what the checks of the mapping
// found: what the detail document beside the XML shows. Built from the
// aggregation's own record of the run; texts are code page 932, amounts
// ten-thousandths of a yen.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "model/statement_item.h"

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
    // the figure's name.
    std::int64_t value = 0;
    std::int64_t other = 0;
    int count = 0;
    std::string figureName;
};

struct AggregationDetail {
    // Per position of the item catalogue, its sources in mapping order.
    std::vector<std::vector<DetailSource>> sources;
    std::vector<DetailFinding> findings;
};
