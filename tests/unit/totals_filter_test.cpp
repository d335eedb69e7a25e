// The totals query's month filter, built from the dataset's fiscal year, and
// what the aggregation reads back from it.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "aggregate/totals_filter.h"
#include "tests/unit/fakes/fake_host.h"

namespace {

struct Condition {
    std::int16_t op;
    std::int16_t month;
    std::int16_t link;
};

class TotalsFilter : public ::testing::Test {
  protected:
    // The open dataset of a state with this period.
    DatasetRecord Dataset(const std::string& period, int interim, int cutoffDay = 0) {
        host = FakeHost();
        host.Load(R"("user": {"selection": [1, 1]}, "datasets": [{"id": "D1", "no": 1, )" + period +
                  ", \"interimSettlement\": " + std::to_string(interim) +
                  ", \"cutoffDay\": " + std::to_string(cutoffDay) + "}]");
        DatasetRecord record;
        EXPECT_TRUE(host.FindDataset(1, record));
        return record;
    }
    FakeHost host;

    static void ExpectConditions(const AccountFilter& filter,
                                 const std::vector<Condition>& expected) {
        for (std::size_t i = 0; i < AccountFilter::kMaxConditions; ++i) {
            const FilterCondition& c = filter.Condition(i);
            if (i >= expected.size()) {
                for (std::size_t b = 0; b < FilterCondition::kSize; ++b)
                    ASSERT_EQ(c.Byte(b), 0) << "condition " << i << " byte " << b;
                continue;
            }
            EXPECT_EQ(c.Field(), kFieldAccountingMonth) << i;
            EXPECT_EQ(c.Operator(), expected[i].op) << i;
            EXPECT_EQ(c.ValueType(), kValueInt16) << i;
            EXPECT_EQ(c.Value(), expected[i].month) << i;
            EXPECT_EQ(c.Link(), expected[i].link) << i;
            // Nothing but the named fields: a 16-bit value leaves bytes 20..21.
            for (std::size_t b : {4u, 5u, 8u, 9u, 12u, 20u, 21u, 29u, 32u, 33u})
                EXPECT_EQ(c.Byte(b), 0) << "condition " << i << " byte " << b;
        }
    }
};

constexpr char kAprilToMarch[] = R"("periodStart": 20250401, "periodEnd": 20260331)";

TEST_F(TotalsFilter, WholeYearAsksForTheYearEndPeriod) {
    const AccountFilter filter = PrepareTotalsFilter(host, Dataset(kAprilToMarch, 0), 4, 3);
    ExpectConditions(filter, {{kOperatorAtLeast, 1, kLinkAnd},
                              {kOperatorAtMost, 12, kLinkOr},
                              {kOperatorEqual, 18, kLinkNone}});
    const TotalsMonthSpan span = ReadTotalsMonthSpan(filter);
    EXPECT_EQ(span.startPosition, 1);
    EXPECT_EQ(span.endPosition, 12);
    EXPECT_TRUE(span.yearEndIncluded);
}

TEST_F(TotalsFilter, MonthsInsideTheYearAskForNoAdjustmentPeriod) {
    const AccountFilter filter = PrepareTotalsFilter(host, Dataset(kAprilToMarch, 0), 6, 1);
    ExpectConditions(filter, {{kOperatorAtLeast, 3, kLinkAnd}, {kOperatorAtMost, 10, kLinkNone}});
    EXPECT_FALSE(ReadTotalsMonthSpan(filter).yearEndIncluded);
}

TEST_F(TotalsFilter, InterimSettlementAddsItsPeriodOnlyAtTheSixthPosition) {
    ExpectConditions(PrepareTotalsFilter(host, Dataset(kAprilToMarch, 1), 4, 9),
                     {{kOperatorAtLeast, 1, kLinkAnd},
                      {kOperatorAtMost, 6, kLinkOr},
                      {kOperatorEqual, 15, kLinkNone}});
    ExpectConditions(PrepareTotalsFilter(host, Dataset(kAprilToMarch, 1), 4, 10),
                     {{kOperatorAtLeast, 1, kLinkAnd}, {kOperatorAtMost, 7, kLinkNone}});
    ExpectConditions(PrepareTotalsFilter(host, Dataset(kAprilToMarch, 0), 4, 9),
                     {{kOperatorAtLeast, 1, kLinkAnd}, {kOperatorAtMost, 6, kLinkNone}});
}

TEST_F(TotalsFilter, SixMonthYearWithInterimKeepsBothPeriodsAndReadsTheYearEndBack) {
    const AccountFilter filter = PrepareTotalsFilter(
        host, Dataset(R"("periodStart": 20250401, "periodEnd": 20250930)", 1), 4, 9);
    ExpectConditions(filter, {{kOperatorAtLeast, 1, kLinkAnd},
                              {kOperatorAtMost, 6, kLinkOr},
                              {kOperatorEqual, 15, kLinkOr},
                              {kOperatorEqual, 18, kLinkNone}});
    EXPECT_TRUE(ReadTotalsMonthSpan(filter).yearEndIncluded);
}

TEST_F(TotalsFilter, CalendarYearAndClosingDayShiftTheMonths) {
    ExpectConditions(
        PrepareTotalsFilter(host, Dataset(R"("periodStart": 20250101, "periodEnd": 20251231)", 0),
                            1, 12),
        {{kOperatorAtLeast, 1, kLinkAnd},
         {kOperatorAtMost, 12, kLinkOr},
         {kOperatorEqual, 18, kLinkNone}});
    // Closing on the 20th: the first day, 21 April, belongs to May's books,
    // so the year runs from May to April.
    const AccountFilter filter = PrepareTotalsFilter(
        host, Dataset(R"("periodStart": 20250421, "periodEnd": 20260420)", 0, 20), 5, 4);
    ExpectConditions(filter, {{kOperatorAtLeast, 1, kLinkAnd},
                              {kOperatorAtMost, 12, kLinkOr},
                              {kOperatorEqual, 18, kLinkNone}});
}

}  // namespace
