// Fills the statement items' amounts from one run of the host's totals
// query: each mapped account's balance over the chosen months, added to or
// subtracted from its items, and the host's classification figures put
// into the items that the reserved keywords name.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "aggregate/aggregation_record.h"
#include "aggregate/amount.h"
#include "aggregate/class_figures.h"
#include "host/account_filter.h"
#include "host/host.h"
#include "host/host_records.h"
#include "model/account_id_text.h"
#include "model/item_catalogue.h"
#include "model/mapping_list.h"

class ProgressSink;

class ClTotalsAggregator {
  public:
    // All four must outlive the aggregator.
    ClTotalsAggregator(Host& host, ProgressSink& progress, const MappingList& currentMapping,
                       ItemCatalogue& itemCatalogue);
    ClTotalsAggregator(const ClTotalsAggregator&) = delete;
    ClTotalsAggregator& operator=(const ClTotalsAggregator&) = delete;
    virtual ~ClTotalsAggregator();

    // Adds every mapped account's balance into amounts[0] of the main items
    // (below 36) and amounts[1..12] of the monthly items, without clearing
    // them first. taxInclusive non-zero takes the amounts including tax.
    // 1 on success. 0 when the query fails, an amount reaches its bound,
    // the filter's positions lie outside the fiscal year or the query is
    // bound to another dataset than `dataset`; the items then hold partial
    // amounts and must not be written.
    int Aggregate(int taxInclusive, const AccountFilter& filter, const DatasetRecord& dataset);

    // Sets amounts[0] of the first item numbered itemNo, looking no further
    // than the first item numbered above 36; ticks once per item visited.
    // The item set, or null when there is none.
    const StatementItem* SetItemAmount(int itemNo, std::int64_t count);

    // True when the last run stopped because the host's open dataset was no
    // longer the one given to it: its figures would go out under another
    // company's name.
    bool DatasetChanged() const { return datasetChanged_; }

    // Keeps what the next run does in `record` (null: nothing is kept).
    void RecordInto(AggregationRecord* record) { record_ = record; }

    // The classification figures of the last run.
    const std::array<ClAmount, static_cast<std::size_t>(ClassFigure::kCount)>& Figures() const {
        return figures_;
    }

  private:
    struct RowWork;

    // Built once per run, so that a row finds its entries and an entry its
    // items without walking the lists: the cost grows with the rows plus
    // the entries, not with their product. Both keep list order, so every
    // row makes the same additions in the same order as a walk of the
    // lists would.
    void IndexMappingAndItems();

    void TreatRow(const RowWork& work, const AccountTotalsRecord& row);
    void AddToItems(const RowWork& work, const AccountTotalsRecord& row, int slotCount,
                    const MappingEntry& entry, const ClAmount& balance);
    void ApplyKeywords();
    // SetItemAmount for a keyword's figure, recorded.
    void SetFigure(const MappingEntry& entry, ClassFigure figure);
    void SetRemainder(const MappingEntry& entry, const KeywordRemainder& remainder);
    std::size_t PositionOf(const StatementItem& item) const;
    std::size_t PositionOf(const MappingEntry& entry) const;

    Host& host_;
    ProgressSink& progress_;
    const MappingList& currentMapping_;
    ItemCatalogue& itemCatalogue_;
    // From the first run's set-up to its end; after a failure until the
    // aggregator is destroyed.
    std::unique_ptr<TotalsQuery> query_;
    std::array<ClAmount, static_cast<std::size_t>(ClassFigure::kCount)> figures_{};
    // The entries naming each account id text, and the items of each
    // number, in list order.
    std::unordered_map<AccountIdBytes, std::vector<const MappingEntry*>, AccountIdBytesHash>
        entriesOfId_;
    std::unordered_map<int, std::vector<StatementItem*>> itemsOfNo_;
    AggregationRecord* record_ = nullptr;
    bool datasetChanged_ = false;
};
