// An aggregation run that keeps its record and reads the detail from it,
// for the tests of the detail and its checks.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <memory>

#include "aggregate/detail_builder.h"
#include "aggregate/totals_aggregator.h"
#include "aggregate/totals_filter.h"
#include "app/progress_window.h"
#include "model/fiscal_months.h"
#include "tests/unit/fakes/fake_host.h"

struct Traced {
    FakeHost host;
    ItemCatalogue items;
    MappingList mapping;
    AggregationDetail detail;
};

// Aggregates the months up to `endMonth`, keeping the record, and reads the
// detail from it.
inline void Aggregate(Traced& run, int endMonth, bool taxInclusive) {
    DatasetRecord dataset;
    ASSERT_TRUE(run.host.FindDataset(run.host.state.selectionSecond, dataset));
    std::int16_t first = 0;
    FiscalMonthRange(run.host, dataset.PeriodStart(), dataset.PeriodEnd(), &first, nullptr);
    const AccountFilter filter =
        PrepareTotalsFilter(run.host, dataset, first, static_cast<std::int16_t>(endMonth));
    ClProgressWindow progress(std::make_unique<NullProgressView>());
    ClTotalsAggregator aggregator(run.host, progress, run.mapping, run.items);
    AggregationRecord record;
    aggregator.RecordInto(&record);
    ASSERT_EQ(aggregator.Aggregate(taxInclusive ? 1 : 0, filter, dataset), 1);
    const AccountDirectory accounts(run.host);
    AggregationConditions conditions;
    conditions.taxInclusive = taxInclusive ? 1 : 0;
    conditions.companyTaxInclusive = run.host.TaxInclusiveDefault() ? 1 : 0;
    run.detail = BuildAggregationDetail(record, run.items, run.mapping, accounts,
                                        DetailRunOf(filter, dataset, conditions));
}

// Every item whose amount no figure set is the sum of its counted sources,
// month by month for the monthly items.
inline void ExpectSourcesAddUp(const Traced& run) {
    std::size_t position = 0;
    for (const StatementItem& item : run.items) {
        std::array<std::int64_t, kAmountSlots> sum{};
        bool figure = false;
        for (const DetailSource& source : run.detail.sources[position]) {
            figure = figure || source.kind == DetailSource::Kind::kFigure ||
                     source.kind == DetailSource::Kind::kRemainder;
            if (!source.counted) continue;
            sum[0] += source.amount;
            for (std::size_t m = 1; m < kAmountSlots; ++m)
                sum[m] += source.months[m];
        }
        if (!figure) {
            EXPECT_EQ(sum, item.amounts) << "item " << item.itemNo;
        }
        ++position;
    }
}
