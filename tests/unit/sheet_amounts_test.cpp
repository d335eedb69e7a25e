// The sheet's amounts before the run: one query of the whole year, the
// first time they are asked for, whatever the conditions do afterwards; no
// amounts when the host refuses the query or the period is one the run
// would refuse; and the period they are named by.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "aggregate/sheet_amounts.h"
#include "hostsim/filter_eval.h"
#include "model/fiscal_months.h"
#include "tests/unit/fakes/fake_host.h"

namespace {

const char kDataset[] = R"("user": {"selection": [1, 1]}, "datasets": [{"id": "A", "no": 1,
    "periodStart": %s, "periodEnd": %s, "accounts": [
      {"id": "0000000000000000000000000000000a", "code": 11100000, "name": "cash", "class": 1}],
    "totals": [{"id": "0000000000000000000000000000000a", "class": 1, "side": 1,
      "debitExTax": [100000,10000,0,0,0,0,20000,0,0,0,0,0,30000,40000,0],
      "debitInTax": [100000,11000,0,0,0,0,22000,0,0,0,0,0,33000,44000,0]}]},
    {"id": "B", "no": 2, "periodStart": 20250401, "periodEnd": 20260331}])";

std::string State(const std::string& periodStart, const std::string& periodEnd,
                  const std::string& extra = "") {
    std::string text = kDataset;
    text.replace(text.find("%s"), 2, periodStart);
    text.replace(text.find("%s"), 2, periodEnd);
    return text + extra;
}

struct Sheet {
    explicit Sheet(const std::string& state) {
        host.Load(state);
        host.FindDataset(1, dataset);
        std::int16_t fiscalStart = 0;
        std::int16_t fiscalEnd = 0;
        FiscalMonthRange(host, dataset.PeriodStart(), dataset.PeriodEnd(), &fiscalStart,
                         &fiscalEnd);
        amounts = std::make_unique<SheetAmounts>(host, dataset, fiscalStart, fiscalEnd);
        conditions.startMonth = fiscalStart;
        conditions.endMonth = static_cast<std::int16_t>(fiscalEnd % 100);
        conditions.introMonth = 1;
    }
    std::int64_t Cash() {
        const PeriodAmounts* shown = amounts->For(conditions);
        if (shown == nullptr) return -1;
        return (*shown->Contribution("0x0000000000000000000000000000000a", 21, 1))[0];
    }
    long Opened() const {
        return std::count(host.queryCalls.begin(), host.queryCalls.end(), "Open");
    }

    FakeHost host;
    DatasetRecord dataset;
    std::unique_ptr<SheetAmounts> amounts;
    AggregationConditions conditions;
};

TEST(SheetAmounts, OneQueryOfTheWholeYearServesEveryEndMonthAndTaxView) {
    Sheet sheet(State("20250401", "20260331"));
    EXPECT_TRUE(sheet.host.queryCalls.empty()) << "nothing asked before the amounts are";
    // Opening, April, October, March and the year-end adjustment.
    EXPECT_EQ(sheet.Cash(), 200000);
    EXPECT_EQ(sheet.host.queryCalls, (std::vector<std::string>{"Open", "Begin", "GetRowCount",
                                                               "SeekRow 0", "NextRow", "End"}));
    EXPECT_EQ(hostsim::DescribeFilter(sheet.host.lastFilter),
              "month>=1 and month<=12 or month=15 or month=18");
    const struct {
        int endMonth;
        int taxInclusive;
        std::int64_t cash;
    } cases[] = {{9, 0, 130000}, {9, 1, 133000}, {3, 1, 210000}, {4, 0, 110000}, {3, 0, 200000}};
    for (const auto& c : cases) {
        sheet.conditions.endMonth = static_cast<std::int16_t>(c.endMonth);
        sheet.conditions.taxInclusive = static_cast<std::int16_t>(c.taxInclusive);
        EXPECT_EQ(sheet.Cash(), c.cash) << c.endMonth << " " << c.taxInclusive;
    }
    EXPECT_EQ(sheet.Opened(), 1);
}

TEST(SheetAmounts, WithoutTheHostsTotalsOrForAPeriodTheRunRefusesThereAreNone) {
    using Status = SheetAmounts::Status;
    const struct {
        const char* name;
        std::string results;
        bool available;
        bool throws;
        int endMonth;
        int introMonth;
        Status status;
    } cases[] = {
        {"no query", "", false, false, 3, 1, Status::kNotRead},
        {"query throws", "", true, true, 3, 1, Status::kNotRead},
        {"rows not counted", R"(, "results": {"getRowCount": 3})", true, false, 3, 1,
         Status::kNotRead},
        {"first query only", R"(, "results": {"firstQueryGetRowCount": 3})", true, false, 3, 1,
         Status::kNotRead},
        {"seek refused", R"(, "results": {"seekRow": 4})", true, false, 3, 1, Status::kNotRead},
        {"row fails", R"(, "results": {"nextRowFailAt": 0, "nextRowFailCode": 7})", true, false, 3,
         1, Status::kNotRead},
        {"another company opened", R"(, "results": {"switchDatasetAtTotals": 2})", true, false, 3,
         1, Status::kNotRead},
        {"no end month", "", true, false, 0, 1, Status::kWrongPeriod},
        {"month 13", "", true, false, 13, 1, Status::kWrongPeriod},
        {"before introduction", "", true, false, 6, 4, Status::kWrongPeriod},
        {"whole year", "", true, false, 3, 1, Status::kShown},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Sheet sheet(State("20250401", "20260331", c.results));
        sheet.host.totalsQueryAvailable = c.available;
        sheet.host.totalsThrow = c.throws;
        sheet.conditions.endMonth = static_cast<std::int16_t>(c.endMonth);
        sheet.conditions.introMonth = static_cast<std::int16_t>(c.introMonth);
        for (int asked = 0; asked < 2; ++asked) {
            EXPECT_EQ(sheet.amounts->For(sheet.conditions) != nullptr, c.status == Status::kShown);
            EXPECT_EQ(sheet.amounts->status(), c.status);
        }
        EXPECT_EQ(sheet.Opened(), 1) << "a refused query is not asked again";
        const std::vector<std::string>& calls = sheet.host.queryCalls;
        if (std::find(calls.begin(), calls.end(), "Begin") != calls.end()) {
            EXPECT_EQ(calls.back(), "End") << "a begun query is ended";
        }
    }
}

TEST(SheetAmounts, ThePeriodIsNamedByItsFirstAndLastMonthsWithTheirYears) {
    const struct {
        const char* start;
        const char* end;
        int endMonth;
        SheetAmounts::Period period;
    } cases[] = {
        {"20250401", "20260331", 3, {2025, 4, 2026, 3, false}},
        {"20250401", "20260331", 12, {2025, 4, 2025, 12, false}},
        {"20250401", "20260331", 1, {2025, 4, 2026, 1, false}},
        {"20250101", "20251231", 6, {2025, 1, 2025, 6, false}},
        // Closing on the 20th: the year's books start with May.
        {"20250421", "20260420", 4, {2025, 5, 2026, 4, false}},
        {"20241221", "20251220", 12, {2025, 1, 2025, 12, false}},
    };
    for (const auto& c : cases) {
        Sheet sheet(State(c.start, c.end));
        sheet.conditions.endMonth = static_cast<std::int16_t>(c.endMonth);
        ASSERT_NE(sheet.amounts->For(sheet.conditions), nullptr) << c.start << " " << c.endMonth;
        const SheetAmounts::Period& p = sheet.amounts->period();
        EXPECT_EQ((std::vector<int>{p.firstYear, p.firstMonth, p.lastYear, p.lastMonth}),
                  (std::vector<int>{c.period.firstYear, c.period.firstMonth, c.period.lastYear,
                                    c.period.lastMonth}))
            << c.start << " " << c.endMonth;
    }
}

}  // namespace
