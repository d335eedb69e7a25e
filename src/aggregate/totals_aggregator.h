// Fills the statement items' amounts from one run of the host's totals
// query: each mapped account's balance over the chosen months, added to or
// subtracted from its items, and the host's classification figures put
// into the items that the reserved keywords name (the walk itself is
// totals_walk.h).
#pragma once

#include <cstdint>
#include <memory>

#include "aggregate/aggregation_record.h"
#include "aggregate/totals_walk.h"
#include "host/account_filter.h"
#include "host/host.h"
#include "host/host_records.h"
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
    const StatementItem* SetItemAmount(int itemNo, std::int64_t count) {
        return walk_.SetItemAmount(itemNo, count);
    }

    // True when the last run stopped because the host's open dataset was no
    // longer the one given to it: its figures would go out under another
    // company's name.
    bool DatasetChanged() const { return datasetChanged_; }

    // Keeps what the next run does in `record` (null: nothing is kept).
    void RecordInto(AggregationRecord* record) { walk_.RecordInto(record); }

    // The classification figures of the last run.
    const TotalsWalk::Figures& Figures() const { return walk_.figures(); }

  private:
    Host& host_;
    ProgressSink& progress_;
    // From the first run's set-up to its end; after a failure until the
    // aggregator is destroyed.
    std::unique_ptr<TotalsQuery> query_;
    TotalsWalk walk_;
    bool datasetChanged_ = false;
};
