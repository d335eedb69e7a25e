#include "aggregate/totals_aggregator.h"

#include "aggregate/account_balance.h"
#include "aggregate/totals_filter.h"
#include "aggregate/totals_row.h"
#include "model/progress_sink.h"

ClTotalsAggregator::ClTotalsAggregator(Host& host, ProgressSink& progress,
                                       const MappingList& currentMapping,
                                       ItemCatalogue& itemCatalogue)
    : host_(host), progress_(progress), walk_(progress, currentMapping, itemCatalogue) {}

ClTotalsAggregator::~ClTotalsAggregator() = default;

int ClTotalsAggregator::Aggregate(int taxInclusive, const AccountFilter& filter,
                                  const DatasetRecord& dataset) {
    // The condition checks refuse periods outside the fiscal year first.
    const AggregationPeriod period =
        AggregationPeriod::Of(taxInclusive != 0, ReadTotalsMonthSpan(filter), dataset);
    if (!period.WithinYear()) return 0;

    progress_.StepRange(0, 100);
    datasetChanged_ = false;
    if (!query_) {
        query_ = host_.OpenTotalsQuery();
        if (!query_) return 0;
    }
    if (query_->DatasetId() != dataset.DatasetId()) {
        datasetChanged_ = true;
        return 0;
    }

    progress_.StepRange(100, 200);
    query_->Begin(filter);
    std::int32_t rowCount = 0;
    if (query_->GetRowCount(&rowCount) != kHostOk) return 0;

    progress_.StepRange(200, 300);
    if (query_->SeekRow(0) != kHostOk) return 0;

    walk_.Begin(period);
    // An amount that reaches its bound ends the run as failed: no figure
    // may be cut, and a statement with some figures missing is worse than
    // none.
    try {
        std::int32_t result = kHostOk;
        AccountTotalsRecord row;
        for (std::int32_t i = 0; i < rowCount; ++i) {
            progress_.Tick();
            result = query_->NextRow(&row);
            if (result != kHostOk) break;
            walk_.TreatRow(TotalsRow::Of(row));
        }
        if (result != kHostOk && result != kHostNoMoreRows) return 0;

        progress_.StepRange(300, 400);
        query_->End();
        query_.reset();
        walk_.ApplyKeywords();
    } catch (const AmountOutOfRange&) {
        return 0;
    }
    progress_.StepRange(400, 500);
    return 1;
}
