// The totals walk against datasets of a host in memory. Every expected
// figure is worked out by hand from the rows written here, in
// ten-thousandths.
#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <limits>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "aggregate/totals_aggregator.h"
#include "aggregate/totals_filter.h"
#include "app/progress_window.h"
#include "tests/unit/fakes/fake_host.h"

namespace {

using Slots = std::map<int, std::int64_t>;

// One totals row of the state file; slots not named are zero.
struct Row {
    int account = 0;  // 0: a classification row without an account
    std::string classCode = "0x10000000";
    int side = 1;
    int figureSource = 0, figureBlocked = 0, unmapped = 0;
    Slots debitEx, creditEx, debitIn, creditIn;
};

std::string IdHex(int account) {
    char hex[3];
    std::snprintf(hex, sizeof hex, "%02x", account);
    return std::string(30, '0') + hex;
}
std::string AccountId(int account) {
    return "0x" + IdHex(account);
}

std::string SlotsJson(const Slots& slots) {
    std::string json = "[";
    for (int i = 0; i < 15; ++i) {
        const auto found = slots.find(i);
        json += (i ? "," : "") + std::to_string(found == slots.end() ? 0 : found->second);
    }
    return json + "]";
}

std::string RowJson(const Row& row) {
    std::string json = "{";
    if (row.account != 0) json += "\"id\": \"" + IdHex(row.account) + "\", ";
    json += "\"class\": \"" + row.classCode + "\", \"side\": " + std::to_string(row.side) +
            ", \"figureSource\": " + std::to_string(row.figureSource) +
            ", \"figureBlocked\": " + std::to_string(row.figureBlocked) +
            ", \"unmapped\": " + std::to_string(row.unmapped) +
            ", \"debitExTax\": " + SlotsJson(row.debitEx) +
            ", \"creditExTax\": " + SlotsJson(row.creditEx) +
            ", \"debitInTax\": " + SlotsJson(row.debitIn) +
            ", \"creditInTax\": " + SlotsJson(row.creditIn) + "}";
    return json;
}

class TotalsAggregator : public ::testing::Test {
  protected:
    // A dataset with a fiscal year from April to March; `results` holds
    // fields of the state's "results" object.
    void Open(const std::vector<Row>& totals, int introMonth = 1, int interim = 0,
              const std::string& results = "") {
        std::string rows;
        for (const Row& row : totals)
            rows += (rows.empty() ? "" : ", ") + RowJson(row);
        host_ = FakeHost();
        host_.Load("\"user\": {\"selection\": [1, 7]}, \"results\": {" + results +
                   "}, \"datasets\": [{\"id\": \"DS07\", \"no\": 7, "
                   "\"periodStart\": 20250401, \"periodEnd\": 20260331, "
                   "\"interimSettlement\": " +
                   std::to_string(interim) + ", \"introMonth\": " + std::to_string(introMonth) +
                   ", \"totals\": [" + rows + "]}]");
        ASSERT_TRUE(host_.FindDataset(7, dataset_));
    }

    void AddItem(int itemNo, int side) {
        StatementItem item;
        item.itemNo = static_cast<std::int16_t>(itemNo);
        item.side = static_cast<std::int16_t>(side);
        catalogue_.Append(item);
    }
    void Map(int itemNo, const std::string& accountId) {
        mapping_.Append(MappingEntry(static_cast<std::int16_t>(itemNo), accountId));
    }
    void Map(int itemNo, int account) { Map(itemNo, AccountId(account)); }

    // Runs one aggregation over startMonth..endMonth of the open dataset.
    int Run(int startMonth, int endMonth, int taxInclusive = 0) {
        const AccountFilter filter =
            PrepareTotalsFilter(host_, dataset_, static_cast<std::int16_t>(startMonth),
                                static_cast<std::int16_t>(endMonth));
        ClTotalsAggregator aggregator(host_, progress_, mapping_, catalogue_);
        return aggregator.Aggregate(taxInclusive, filter, dataset_);
    }

    std::int64_t Main(int itemNo) const { return catalogue_.FindItem(itemNo)->amounts[0]; }
    std::array<std::int64_t, kAmountSlots> Months(int itemNo) const {
        return catalogue_.FindItem(itemNo)->amounts;
    }
    const std::vector<std::string>& QueryCalls() const { return host_.queryCalls; }

    FakeHost host_;
    DatasetRecord dataset_;
    ItemCatalogue catalogue_;
    MappingList mapping_;
    ClProgressWindow progress_{std::make_unique<NullProgressView>()};
};

// Debit 500000 and credit 200000 in the third month.
Row DebitSideRow(int account) {
    Row row;
    row.account = account;
    row.side = 1;
    row.debitEx = {{3, 500000}};
    row.creditEx = {{3, 200000}};
    return row;
}

TEST_F(TotalsAggregator, EqualSidesAddTheBalanceAndOppositeSidesSubtractIt) {
    Row creditRow = DebitSideRow(2);
    creditRow.side = 2;
    Open({DebitSideRow(1), creditRow});
    AddItem(2, 1);
    AddItem(3, 2);
    AddItem(5, 2);
    AddItem(6, 1);
    Map(2, 1);
    Map(3, 1);
    Map(5, 2);
    Map(6, 2);
    ASSERT_EQ(Run(4, 3), 1);
    EXPECT_EQ(Main(2), 300000);   // debit side into a debit item
    EXPECT_EQ(Main(3), -300000);  // debit side out of a credit item
    EXPECT_EQ(Main(5), -300000);  // credit side: W = 200000 - 500000, added
    EXPECT_EQ(Main(6), 300000);   // and subtracted
}

TEST_F(TotalsAggregator, OpeningPartCountsOnlyOnceTheDataIsIntroduced) {
    Row row;
    row.account = 1;
    row.debitEx = {{0, 1000000}, {1, 50000}, {5, 70000}, {6, 9990000}, {13, 4440000}};
    row.creditEx = {{2, 20000}};
    // June to August: positions 3 to 5. Opening: slots 0..2 = 1050000 - 20000;
    // period: slot 5; slot 6 and the year-end lie outside.
    Open({row});
    AddItem(2, 1);
    Map(2, 1);
    ASSERT_EQ(Run(6, 8), 1);
    EXPECT_EQ(Main(2), 1030000 + 70000);

    catalogue_.Clear();
    AddItem(2, 1);
    Open({row}, 7);  // introduced after position 5
    ASSERT_EQ(Run(6, 8), 1);
    EXPECT_EQ(Main(2), 70000);
}

TEST_F(TotalsAggregator, YearEndPeriodCountsOnlyWhenTheLastMonthCloses) {
    Row row;
    row.account = 1;
    row.debitEx = {{11, 1000}, {12, 10000}, {13, 30000}, {14, 70000}};
    Open({row});
    AddItem(2, 1);
    AddItem(36, 1);
    Map(2, 1);
    Map(36, 1);
    ASSERT_EQ(Run(4, 2), 1);  // up to position 11
    EXPECT_EQ(Main(2), 1000);
    ASSERT_EQ(Run(4, 3), 1);  // then the whole year with slot 13, added on top
    EXPECT_EQ(Main(2), 1000 + 41000);
    // Month 11 twice; month 12 once, from slot 12 and the year-end slot 13.
    EXPECT_EQ(Months(36)[11], 2000);
    EXPECT_EQ(Months(36)[12], 40000);
}

TEST_F(TotalsAggregator, InterimPeriodJoinsTheSixthPosition) {
    Row row;
    row.account = 1;
    row.debitEx = {{1, 1}, {6, 100}, {7, 1000}, {13, 20000}, {14, 10000}};
    Open({row}, 1, 1);
    AddItem(2, 1);
    AddItem(36, 1);
    Map(2, 1);
    Map(36, 1);
    ASSERT_EQ(Run(4, 9), 1);
    EXPECT_EQ(Main(2), 1 + 100 + 10000);
    const std::array<std::int64_t, kAmountSlots> expected = {0, 1, 0, 0, 0, 0, 10100};
    EXPECT_EQ(Months(36), expected);

    catalogue_.Clear();
    AddItem(2, 1);
    AddItem(36, 1);
    Open({row});
    ASSERT_EQ(Run(4, 9), 1);
    EXPECT_EQ(Main(2), 101);
    EXPECT_EQ(Months(36)[6], 100);
}

TEST_F(TotalsAggregator, TaxFlagChoosesOnePairOfArraysEntirely) {
    Row row;
    row.account = 1;
    row.debitEx = {{1, 1000}};
    row.debitIn = {{1, 1100}};
    row.creditEx = {{2, 300}};
    row.creditIn = {{2, 330}};
    Open({row});
    AddItem(2, 1);
    Map(2, 1);
    ASSERT_EQ(Run(4, 3, 0), 1);
    EXPECT_EQ(Main(2), 700);
    catalogue_.FindItem(2)->amounts[0] = 0;
    ASSERT_EQ(Run(4, 3, 1), 1);
    EXPECT_EQ(Main(2), 770);
}

TEST_F(TotalsAggregator, EveryMatchingEntryAndEveryItemOfTheNumberCount) {
    Open({DebitSideRow(1)});
    AddItem(2, 1);
    AddItem(4, 1);
    AddItem(4, 2);  // the same number twice: both receive the account
    Map(2, 1);
    Map(2, 1);
    Map(4, 1);
    Map(9, 1);  // no such item
    ASSERT_EQ(Run(4, 3), 1);
    EXPECT_EQ(Main(2), 600000);
    EXPECT_EQ(catalogue_.begin()[1].amounts[0], 300000);
    EXPECT_EQ(catalogue_.begin()[2].amounts[0], -300000);
}

TEST_F(TotalsAggregator, MonthlyItemsSpreadSlotsOverTheirMonths) {
    Row row;
    row.account = 1;
    row.side = 2;
    row.creditEx = {{0, 5000}, {1, 100}, {2, 200}, {12, 1200}, {13, 1300}};
    row.debitEx = {{2, 20}};
    Open({row}, 3);
    AddItem(36, 2);
    AddItem(37, 1);
    AddItem(2, 2);
    Map(36, 1);
    Map(37, 1);
    Map(2, 1);
    ASSERT_EQ(Run(4, 3), 1);
    // Slot 0 to the introduction month, slot 13 to the last month.
    const std::array<std::int64_t, kAmountSlots> expected = {0, 100, 180, 5000, 0, 0,   0,
                                                             0, 0,   0,   0,    0, 2500};
    EXPECT_EQ(Months(36), expected);
    EXPECT_EQ(Months(37)[3], -5000);
    EXPECT_EQ(Months(37)[0], 0);
    EXPECT_EQ(Main(2), 5000 + 100 + 180 + 1200 + 1300);

    // Up to May (position 2): introduced in month 3, after it, so the
    // opening balance has no month and no place in the balance.
    catalogue_.Clear();
    AddItem(36, 2);
    AddItem(2, 2);
    Open({row}, 3);
    ASSERT_EQ(Run(4, 5), 1);
    const std::array<std::int64_t, kAmountSlots> early = {0, 100, 180};
    EXPECT_EQ(Months(36), early);
    EXPECT_EQ(Main(2), 280);
}

Row FigureRow(const char* classCode, int side, std::int64_t slot1, int source = 1,
              int blocked = 0) {
    Row row;
    row.classCode = classCode;
    row.side = side;
    row.figureSource = source;
    row.figureBlocked = blocked;
    row.unmapped = 1;
    (side == 1 ? row.debitEx : row.creditEx)[1] = slot1;
    return row;
}

TEST_F(TotalsAggregator, KeywordsReceiveTheFiguresAndRemaindersFollowCatalogueOrder) {
    Row a21 = DebitSideRow(21);  // 300000 each
    Row a22 = DebitSideRow(22);
    Row a26 = DebitSideRow(26);
    a26.side = 2;
    a26.creditEx[1] = 1000000;  // 1000000 + 200000 - 500000 = 700000
    Open({FigureRow("0x40888000", 2, 800000), FigureRow("0x40884000", 1, 300000),
          FigureRow("0x40880008", 2, 500000), FigureRow("0x40880000", 2, 200000),
          FigureRow("0x40200080", 2, 150000, 0, 1), FigureRow("0x80800000", 1, 9000000),
          FigureRow("0x80400000", 2, 4000000), FigureRow("0x80200000", 2, 1000000), a21, a22, a26});
    for (const auto& [itemNo, side] : std::vector<std::pair<int, int>>{{1, 2},
                                                                       {3, 1},
                                                                       {11, 2},
                                                                       {17, 2},
                                                                       {19, 2},
                                                                       {21, 1},
                                                                       {22, 1},
                                                                       {25, 1},
                                                                       {29, 2},
                                                                       {26, 2},
                                                                       {27, 2},
                                                                       {30, 1},
                                                                       {31, 2},
                                                                       {34, 2},
                                                                       {36, 2},
                                                                       {37, 2},
                                                                       {33, 2},
                                                                       {38, 2}}) {
        AddItem(itemNo, side);
    }
    Map(21, 21);
    Map(22, 22);
    Map(26, 26);
    Map(1, "URIAGEDAKA");
    Map(3, "URIAGEGENKA");
    Map(11, "URIAGESOURIEKI");
    Map(17, "EIGYOUSONEKI");
    Map(19, "ZEIBIKIMAE");  // its code has no flag test
    Map(25, "SOREIGAI");
    Map(29, "SONOTAFUSAI");
    Map(30, "SISAN");
    Map(31, "FUSAI");
    Map(34, "SIHON");
    Map(33, "SIHON");       // behind item 37: not reached
    Map(38, "URIAGEDAKA");  // likewise
    Map(27, "SIHONKIN");    // no keyword
    ASSERT_EQ(Run(4, 3), 1);
    EXPECT_EQ(Main(1), 800000);
    EXPECT_EQ(Main(3), 300000);
    EXPECT_EQ(Main(11), 500000);
    EXPECT_EQ(Main(17), 200000);
    EXPECT_EQ(Main(19), 150000);
    // Items 19, 21 and 22 stand before it; 19 has had its keyword figure.
    EXPECT_EQ(Main(25), 9000000 - 150000 - 300000 - 300000);
    EXPECT_EQ(Main(29), 4000000);  // item 26 stands after it: nothing summed
    EXPECT_EQ(Main(26), 700000);
    EXPECT_EQ(Main(27), 0);
    EXPECT_EQ(Main(30), 9000000);
    EXPECT_EQ(Main(31), 4000000);
    EXPECT_EQ(Main(34), 1000000);
    EXPECT_EQ(Main(33), 0);
    EXPECT_EQ(Main(38), 0);
}

TEST_F(TotalsAggregator, FigureCaptureHonoursFlagsAndTheLaterRowWins) {
    Row laterSales = FigureRow("0x40888000", 2, 250);
    laterSales.account = 5;  // mapped, but unmapped rows never reach items
    Open({FigureRow("0x40888000", 2, 100), laterSales, FigureRow("0x40884000", 1, 111),
          FigureRow("0x40884000", 1, 999, 0, 0), FigureRow("0x40884000", 1, 888, 1, 1),
          FigureRow("0x40884000", 1, 777, 2, 0), FigureRow("0x40200080", 2, 66, 0, 1)});
    AddItem(1, 2);
    AddItem(2, 2);
    AddItem(3, 1);
    AddItem(19, 2);
    Map(2, 5);
    Map(1, "URIAGEDAKA");
    Map(3, "URIAGEGENKA");
    Map(19, "ZEIBIKIMAE");
    ASSERT_EQ(Run(4, 3), 1);
    EXPECT_EQ(Main(1), 250);
    EXPECT_EQ(Main(2), 0);
    EXPECT_EQ(Main(3), 111);
    EXPECT_EQ(Main(19), 66);
}

TEST_F(TotalsAggregator, ZeroRowsSucceedWithZeroFiguresInHostCallOrder) {
    Open({});
    AddItem(1, 2);
    catalogue_.FindItem(1)->amounts[0] = 123;
    Map(1, "URIAGEDAKA");
    ASSERT_EQ(Run(4, 3), 1);
    EXPECT_EQ(Main(1), 0);
    EXPECT_EQ(QueryCalls(),
              (std::vector<std::string>{"Open", "Begin", "GetRowCount", "SeekRow 0", "End"}));
}

TEST_F(TotalsAggregator, HostErrorsFailTheRunAndKeepWhatWasAdded) {
    Open({DebitSideRow(1), DebitSideRow(1)}, 1, 0, R"("nextRowFailAt": 1, "nextRowFailCode": 7)");
    AddItem(2, 1);
    Map(2, 1);
    EXPECT_EQ(Run(4, 3), 0);
    EXPECT_EQ(Main(2), 300000);
    const std::vector<std::string> calls = QueryCalls();
    ASSERT_GE(calls.size(), 2u);
    EXPECT_EQ(calls[calls.size() - 2], "NextRow");
    EXPECT_EQ(calls.back(), "NextRow");

    for (const auto& [failing, lastCall] : std::vector<std::pair<std::string, std::string>>{
             {R"("getRowCount": 3)", "GetRowCount"}, {R"("seekRow": 4)", "SeekRow 0"}}) {
        Open({DebitSideRow(1)}, 1, 0, failing);
        EXPECT_EQ(Run(4, 3), 0) << failing;
        EXPECT_EQ(QueryCalls().back(), lastCall);
    }
    EXPECT_EQ(Main(2), 300000);
}

TEST_F(TotalsAggregator, ReachingTheAmountBoundFailsTheRunInsteadOfWrapping) {
    constexpr std::int64_t kLargest = 999999999999999999;  // 10^18 - 1
    Row large;
    large.account = 1;
    large.debitEx = {{1, kLargest}};
    Row one;
    one.account = 1;
    one.debitEx = {{1, 1}};
    Open({large, one});
    AddItem(2, 1);
    Map(2, 1);
    EXPECT_EQ(Run(4, 3), 0);
    EXPECT_EQ(Main(2), kLargest);
    EXPECT_EQ(QueryCalls().back(), "NextRow");  // the query was not ended

    // A host slot beyond the bound fails only when it is summed.
    Row huge;
    huge.account = 1;
    huge.debitEx = {{1, 5}, {14, std::numeric_limits<std::int64_t>::max()}};
    catalogue_.Clear();
    AddItem(2, 1);
    Open({huge});
    EXPECT_EQ(Run(4, 3), 1);
    EXPECT_EQ(Main(2), 5);
    Open({huge}, 1, 1);
    EXPECT_EQ(Run(4, 9), 0);
}

TEST_F(TotalsAggregator, PositionsOutsideTheYearFailBeforeAnyHostCall) {
    Open({DebitSideRow(1)});
    AddItem(2, 1);
    Map(2, 1);
    AccountFilter filter = PrepareTotalsFilter(host_, dataset_, 4, 3);
    filter.Condition(1).Set(kFieldAccountingMonth, kOperatorAtMost, kValueInt16, 13, kLinkNone);
    ClTotalsAggregator aggregator(host_, progress_, mapping_, catalogue_);
    EXPECT_EQ(aggregator.Aggregate(0, filter, dataset_), 0);
    filter = PrepareTotalsFilter(host_, dataset_, 4, 3);
    filter.Condition(0).Set(kFieldAccountingMonth, kOperatorAtLeast, kValueInt16, 0, kLinkAnd);
    EXPECT_EQ(aggregator.Aggregate(0, filter, dataset_), 0);
    EXPECT_TRUE(QueryCalls().empty());
    EXPECT_EQ(Main(2), 0);
}

// The last host call at each range, and the ticks in between.
class RecordingProgress : public ProgressSink {
  public:
    explicit RecordingProgress(std::function<std::string()> lastCall)
        : lastCall_(std::move(lastCall)) {}
    void StepRange(int from, int to) override {
        ranges.push_back(std::to_string(from) + "-" + std::to_string(to) + " after " + lastCall_());
    }
    void Tick() override { ++ticks; }
    std::vector<std::string> ranges;
    int ticks = 0;

  private:
    std::function<std::string()> lastCall_;
};

TEST_F(TotalsAggregator, ProgressStepsFallBetweenTheHostCallsAndEveryUnitTicks) {
    Open({DebitSideRow(1)});
    AddItem(2, 1);
    AddItem(1, 2);
    Map(2, 1);
    Map(1, "URIAGEDAKA");
    const AccountFilter filter = PrepareTotalsFilter(host_, dataset_, 4, 3);
    RecordingProgress progress(
        [this] { return QueryCalls().empty() ? std::string("nothing") : QueryCalls().back(); });
    ClTotalsAggregator aggregator(host_, progress, mapping_, catalogue_);
    ASSERT_EQ(aggregator.Aggregate(0, filter, dataset_), 1);

    EXPECT_EQ(progress.ranges,
              (std::vector<std::string>{"0-100 after nothing", "100-200 after Open",
                                        "200-300 after GetRowCount", "300-400 after NextRow",
                                        "400-500 after End"}));
    // 1 row, 13 slots (1..13), 1 entry that names the row's account, 2
    // entries in the keyword pass, 2 items visited to reach item 1.
    EXPECT_EQ(progress.ticks, 1 + 13 + 1 + 2 + 2);
}

}  // namespace
