// The walk over the totals rows that fills the statement items' amounts:
// each mapped account's balance added to or subtracted from its items,
// spread over months for the monthly items, the classification figures
// kept, and after the last row the figures put into the items that the
// reserved keywords name. The run walks the rows of its host query; the
// sheet walks the rows it keeps from its own query, with the same walk.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "aggregate/account_balance.h"
#include "aggregate/aggregation_record.h"
#include "aggregate/amount.h"
#include "aggregate/class_figures.h"
#include "aggregate/totals_row.h"
#include "model/account_id_text.h"
#include "model/item_catalogue.h"
#include "model/mapping_list.h"

class ProgressSink;

class TotalsWalk {
  public:
    using Figures = std::array<ClAmount, kClassFigureCount>;

    // All three must outlive the walk.
    TotalsWalk(ProgressSink& progress, const MappingList& currentMapping,
               ItemCatalogue& itemCatalogue);
    TotalsWalk(const TotalsWalk&) = delete;
    TotalsWalk& operator=(const TotalsWalk&) = delete;

    // Keeps what the next walk does in `record` (null: nothing is kept).
    void RecordInto(AggregationRecord* record) { record_ = record; }

    // Starts a walk of rows read with `period` (its positions within the
    // year): the figures at zero, the record emptied. The items keep their
    // amounts; the walk adds to them.
    void Begin(const AggregationPeriod& period);
    // One row, in the order the host delivered it. Throws AmountOutOfRange
    // when an amount reaches its bound; the items then hold partial amounts.
    void TreatRow(const TotalsRow& row);
    // After the last row: the figures into the keywords' items.
    void ApplyKeywords();

    // Sets amounts[0] of the first item numbered itemNo, looking no further
    // than the first item numbered above 36; ticks once per item visited.
    // The item set, or null when there is none.
    const StatementItem* SetItemAmount(int itemNo, std::int64_t count);

    const Figures& figures() const { return figures_; }

  private:
    // Built once per walk, so that a row finds its entries and an entry its
    // items without walking the lists: the cost grows with the rows plus
    // the entries, not with their product. Both keep list order, so every
    // row makes the same additions in the same order as a walk of the
    // lists would.
    void IndexMappingAndItems();
    void AddToItems(const TotalsRow& row, const MappingEntry& entry, const ClAmount& balance);
    // SetItemAmount for a keyword's figure, recorded.
    void SetFigure(const MappingEntry& entry, ClassFigure figure);
    void SetRemainder(const MappingEntry& entry, const KeywordRemainder& remainder);
    std::size_t PositionOf(const StatementItem& item) const;
    std::size_t PositionOf(const MappingEntry& entry) const;

    ProgressSink& progress_;
    const MappingList& currentMapping_;
    ItemCatalogue& itemCatalogue_;
    AggregationPeriod period_;
    Figures figures_{};
    // The entries naming each account id text, and the items of each
    // number, in list order.
    std::unordered_map<AccountIdBytes, std::vector<const MappingEntry*>, AccountIdBytesHash>
        entriesOfId_;
    std::unordered_map<int, std::vector<StatementItem*>> itemsOfNo_;
    AggregationRecord* record_ = nullptr;
};
