// The detail read from the aggregation's record: each item's sources add up
// to its amounts, and each check fires on the mapping it is about, and on
// nothing else. The shipped editions on the sample datasets are checked
// too.
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "aggregate/detail_builder.h"
#include "aggregate/totals_aggregator.h"
#include "aggregate/totals_filter.h"
#include "app/progress_window.h"
#include "model/default_mapping_file.h"
#include "model/fiscal_months.h"
#include "model/item_definition_file.h"
#include "tests/unit/fakes/fake_host.h"
#include "tests/unit/fakes/source_file.h"

namespace {

using Kind = DetailFinding::Kind;

std::string Id(int account) {
    char hex[40];
    std::snprintf(hex, sizeof hex, "%032x", account);
    return hex;
}

// An account of the chart (`flags` sets both flag bytes) and its totals row
// with `yen` in the first month on its own side.
std::string Account(int n, int code, const char* name, const char* classCode) {
    return R"({"id": ")" + Id(n) + R"(", "code": )" + std::to_string(code * 10000) +
           R"(, "name": ")" + name + R"(", "class": ")" + classCode + "\"}";
}
std::string Row(int n, const char* classCode, int side, std::int64_t yen, int unmapped = 0) {
    std::string slots = "[0," + std::to_string(yen * 10000) + ",0,0,0,0,0,0,0,0,0,0,0,0,0]";
    return std::string("{") + (n != 0 ? "\"id\": \"" + Id(n) + "\", " : "") + "\"class\": \"" +
           classCode + "\", \"side\": " + std::to_string(side) +
           ", \"figureSource\": 1, \"unmapped\": " + std::to_string(unmapped) + ", \"" +
           (side == 1 ? "debitExTax" : "creditExTax") + "\": " + slots + "}";
}

// Cash 1110, sales 4110 and 4120, purchases 5210; the host's figures of
// sales, assets, liabilities and net assets, balanced.
const std::vector<std::string> kAccounts = {
    Account(1, 1110, u8"現金", "0x80818000"), Account(2, 4110, u8"売上高", "0x40888100"),
    Account(3, 4120, u8"兼業売上高", "0x40888200"), Account(4, 5210, u8"仕入高", "0x40884300")};
const std::vector<std::string> kRows = {Row(1, "0x80818000", 1, 100), Row(2, "0x40888100", 2, 500),
                                        Row(3, "0x40888200", 2, 200), Row(4, "0x40884300", 1, 30),
                                        Row(0, "0x40888000", 2, 700), Row(0, "0x80800000", 1, 100),
                                        Row(0, "0x80400000", 2, 40),  Row(0, "0x80200000", 2, 60)};

std::string Joined(std::vector<std::string> parts, const std::vector<std::string>& more) {
    parts.insert(parts.end(), more.begin(), more.end());
    std::string joined;
    for (const std::string& part : parts) {
        if (!joined.empty()) joined += ',';
        joined += part;
    }
    return joined;
}

// The base chart and rows with `accounts` and `rows` added, in a fiscal
// year from April.
void LoadDataset(FakeHost& host, const std::vector<std::string>& accounts = {},
                 const std::vector<std::string>& rows = {}) {
    std::string state = R"("user": {"selection": [1, 1]}, "datasets": [{"id": "D", "no": 1,
        "periodStart": 20250401, "periodEnd": 20260331, "accounts": [)";
    state += Joined(kAccounts, accounts);
    state += R"(], "totals": [)";
    state += Joined(kRows, rows);
    state += "]}]";
    host.Load(state);
}

struct ItemLine {
    int no, side;
    std::uint32_t classCode;
    const char* key;
};
const ItemLine kItems[] = {{1, 2, 0x40888000, "URIAGEDAKA"}, {2, 2, 0x40888200, "KENGYOU"},
                           {6, 1, 0x40884300, "SIIRE"},      {19, 2, 0, "-"},
                           {21, 1, 0x80818000, "GENKIN"},    {22, 1, 0x80818000, "YOKIN"},
                           {36, 2, 0, "TUKIURIAGE"}};

using Entries = std::vector<std::pair<int, std::string>>;
const Entries kMapping = {{1, "URIAGEDAKA"},  {2, "0x" + Id(3)},  {6, "0x" + Id(4)},
                          {21, "0x" + Id(1)}, {36, "0x" + Id(2)}, {36, "0x" + Id(3)}};

struct Traced {
    FakeHost host;
    ItemCatalogue items;
    MappingList mapping;
    AggregationDetail detail;
};

// Aggregates the whole fiscal year, keeping the record, and reads the
// detail from it.
void Aggregate(Traced& run, int endMonth, bool taxInclusive) {
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
    run.detail = BuildAggregationDetail(record, run.items, run.mapping, accounts);
}

// Every item whose amount no figure set is the sum of its counted sources,
// month by month for the monthly items.
void ExpectSourcesAddUp(const Traced& run) {
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

struct Scenario {
    const char* name;
    std::vector<std::string> accounts, rows;  // added to the base
    Entries mapping;                          // added to the base mapping
    std::vector<Kind> expected;               // in the order listed
    std::vector<int> items;                   // of the first finding
    std::vector<std::int32_t> codes;          // of the first finding's accounts
};

TEST(AggregationDetail, EachCheckFiresOnItsCaseAndTheSourcesAddUp) {
    const std::string unknown = "0x" + std::string(32, 'f');
    const Scenario scenarios[] = {
        {"base", {}, {}, {}, {}, {}, {}},
        {"account twice", {}, {}, {{2, "0x" + Id(3)}}, {Kind::kMappedTwice}, {2}, {41200000}},
        {"deleted account", {}, {}, {{2, unknown}}, {Kind::kNoSuchAccount}, {2}, {0}},
        {"sales into cash",
         {},
         {},
         {{21, "0x" + Id(2)}},
         {Kind::kOutsideClasses},
         {21},
         {41100000}},
        {"cash left out",
         {Account(5, 1120, u8"普通預金", "0x80818000"),
          Account(6, 1130, u8"当座預金", "0x80818000")},
         {Row(5, "0x80818000", 1, 9), Row(6, "0x80818000", 1, 0)},
         {},
         {Kind::kUnusedAccounts, Kind::kUnusedAccounts},
         {21},
         {11200000}},
        {"unbalanced", {}, {Row(0, "0x80800000", 1, 101)}, {}, {Kind::kAssetsUnbalanced}, {}, {}},
        {"excluded by the host",
         {Account(7, 1140, u8"別段預金", "0x80818000")},
         {Row(7, "0x80818000", 1, 5, 1)},
         {{21, "0x" + Id(7)}},
         {Kind::kExcludedByHost},
         {21},
         {11400000}},
        {"item not in the catalogue",
         {},
         {},
         {{30, "0x" + Id(1)}},
         {Kind::kNoSuchItem},
         {30},
         {11100000}},
        {"figure and account", {}, {}, {{2, "URIAGEDAKA"}}, {Kind::kFigureReplaces}, {2}, {}},
        {"figure without its row",
         {},
         {},
         {{6, "URIAGEGENKA"}},
         {Kind::kFigureReplaces, Kind::kFigureMissing},
         {6},
         {}},
        {"cash in two items",
         {},
         {},
         {{22, "0x" + Id(1)}},
         {Kind::kSharedAccount},
         {21, 22},
         {11100000}},
        {"item kept out of the XML", {}, {}, {{19, "0x" + Id(2)}}, {Kind::kNotWritten}, {19}, {}},
    };
    for (const Scenario& s : scenarios) {
        SCOPED_TRACE(s.name);
        Traced run;
        LoadDataset(run.host, s.accounts, s.rows);
        for (const ItemLine& line : kItems) {
            StatementItem item;
            item.itemNo = static_cast<std::int16_t>(line.no);
            item.side = static_cast<std::int16_t>(line.side);
            item.classCodes[0] = line.classCode;
            item.SetName(line.key);
            item.SetKey(line.key);
            run.items.Append(item);
        }
        for (const auto& [itemNo, id] : kMapping)
            run.mapping.Append(MappingEntry(static_cast<std::int16_t>(itemNo), id));
        for (const auto& [itemNo, id] : s.mapping)
            run.mapping.Append(MappingEntry(static_cast<std::int16_t>(itemNo), id));
        Aggregate(run, 3, false);
        ExpectSourcesAddUp(run);

        std::vector<Kind> kinds;
        for (const DetailFinding& finding : run.detail.findings)
            kinds.push_back(finding.kind);
        ASSERT_EQ(kinds, s.expected);
        if (kinds.empty()) continue;
        const DetailFinding& first = run.detail.findings[0];
        EXPECT_EQ(first.items, s.items);
        std::vector<std::int32_t> codes;
        for (const DetailAccount& account : first.accounts)
            codes.push_back(account.code);
        EXPECT_EQ(codes, s.codes);
    }
}

TEST(AggregationDetail, SourcesTellWhatEachEntryGave) {
    Traced run;
    LoadDataset(run.host);
    StatementItem sales;
    sales.itemNo = 2;
    sales.side = 2;
    run.items.Append(sales);
    StatementItem assets = sales;
    assets.itemNo = 20;
    run.items.Append(assets);
    // Cash (debit) subtracts from a credit item; the assets figure less
    // items 18 to 24 before it (item 2 is not one of them).
    run.mapping.Append(MappingEntry(2, "0x" + Id(3)));
    run.mapping.Append(MappingEntry(2, "0x" + Id(1)));
    run.mapping.Append(MappingEntry(2, "0x" + Id(99)));
    run.mapping.Append(MappingEntry(20, "SOREIGAI"));
    Aggregate(run, 3, false);
    ExpectSourcesAddUp(run);

    const std::vector<DetailSource>& item2 = run.detail.sources[0];
    ASSERT_EQ(item2.size(), 3u);
    EXPECT_EQ(item2[0].kind, DetailSource::Kind::kAccount);
    EXPECT_EQ(item2[0].account.code, 41200000);
    EXPECT_EQ(item2[0].account.name, "兼業売上高");
    EXPECT_EQ(item2[0].account.balance, 2000000);
    EXPECT_EQ(item2[0].sign, 1);
    EXPECT_EQ(item2[1].account.side, 1);
    EXPECT_EQ(item2[1].sign, -1);
    EXPECT_EQ(item2[1].amount, -1000000);
    EXPECT_EQ(item2[2].kind, DetailSource::Kind::kNothing);
    EXPECT_EQ(item2[2].why, DetailSource::Why::kNoAccount);

    const std::vector<DetailSource>& item20 = run.detail.sources[1];
    ASSERT_EQ(item20.size(), 1u);
    EXPECT_EQ(item20[0].kind, DetailSource::Kind::kRemainder);
    EXPECT_EQ(item20[0].figureCode, 0x80800000u);
    EXPECT_EQ(item20[0].figureValue, 1000000);
    EXPECT_TRUE(item20[0].subtracted.empty());
}

// The shipped editions and their default mappings on the sample datasets:
// the only finding that needs checking is the withholding account, which
// the defaults leave for the user to choose (item 40 has no default).
class SampleDetail : public ::testing::TestWithParam<const char*> {};

TEST_P(SampleDetail, OnlyTheWithholdingAccountNeedsChecking) {
    FakeHost sample;
    sample.LoadText(SourceFile("samples/sample-company.json"));
    for (const int no : {12, 13, 14, 15, 16}) {
        SCOPED_TRACE("dataset " + std::to_string(no));
        Traced run;
        run.host.state = sample.state;
        run.host.state.selectionSecond = no;
        AccountDirectory accounts(run.host);
        const std::string prefix = std::string("editions/") + GetParam();
        ASSERT_EQ(LoadItemDefinitions(SourceFile(prefix + "_GaiKmk.dat"), run.items), 1);
        ASSERT_EQ(LoadDefaultMapping(SourceFile(prefix + "_DefKmk.dat"), accounts, run.mapping), 1);
        DatasetRecord dataset;
        ASSERT_TRUE(run.host.FindDataset(no, dataset));
        std::int16_t fiscalEnd = 0;
        FiscalMonthRange(run.host, dataset.PeriodStart(), dataset.PeriodEnd(), nullptr, &fiscalEnd);
        Aggregate(run, fiscalEnd % 100, run.host.TaxInclusiveDefault());
        ExpectSourcesAddUp(run);

        std::vector<std::string> findings;
        for (const DetailFinding& finding : run.detail.findings) {
            std::string text = std::to_string(static_cast<int>(finding.kind)) + ":";
            for (const int item : finding.items)
                text += " " + std::to_string(item);
            for (const DetailAccount& account : finding.accounts)
                text += " " + std::to_string(account.code / 10000);
            findings.push_back(text);
        }
        const std::string unusedWithholding =
            std::to_string(static_cast<int>(Kind::kUnusedAccounts)) + ": 40 2190";
        EXPECT_EQ(findings, std::vector<std::string>{unusedWithholding});
    }
}

INSTANTIATE_TEST_SUITE_P(Editions, SampleDetail,
                         ::testing::Values("LdgSel18ToQb16_G", "LdgAdv18ToQb16_G",
                                           "LdgBas18ToQb16_G"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                             return std::string(info.param).substr(3, 3);
                         });

}  // namespace
