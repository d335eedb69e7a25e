// The detail read from the aggregation's record: each item's sources add up
// to its amounts, and each check fires on the mapping it is about, and on
// nothing else.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "tests/unit/fakes/fake_host.h"
#include "tests/unit/fakes/traced_aggregation.h"

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
// `opening` yen brought forward in slot 0.
std::string Row(int n, const char* classCode, int side, std::int64_t yen, int unmapped = 0,
                std::int64_t opening = 0) {
    std::string slots = "[" + std::to_string(opening * 10000) + "," + std::to_string(yen * 10000) +
                        ",0,0,0,0,0,0,0,0,0,0,0,0,0]";
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
// year from April; `fields` are more fields of the dataset.
void LoadDataset(FakeHost& host, const std::vector<std::string>& accounts = {},
                 const std::vector<std::string>& rows = {}, const std::string& fields = "") {
    std::string state = R"("user": {"selection": [1, 1]}, "datasets": [{"id": "D", "no": 1,
        "periodStart": 20250401, "periodEnd": 20260331)" +
                        fields + R"(, "accounts": [)";
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
const ItemLine kItems[] = {{1, 2, 0x40888000, "URIAGEDAKA"},
                           {2, 2, 0x40888200, "KENGYOU"},
                           {6, 1, 0x40884300, "SIIRE"},
                           {10, 2, 0x40884700, "KIMATU"},
                           {19, 2, 0, "-"},
                           {21, 1, 0x80818000, "GENKIN"},
                           {22, 1, 0x80818000, "YOKIN"},
                           {24, 1, 0x80812000, "TANAOROSI"},
                           {36, 2, 0, "TUKIURIAGE"},
                           {37, 1, 0x40884300, "TUKISIIRE"},
                           {40, 2, 0x80412200, "TUKIGENSEN"}};

using Entries = std::vector<std::pair<int, std::string>>;
// The months of sales and of purchases tie with the main items.
const Entries kMapping = {{1, "URIAGEDAKA"},  {2, "0x" + Id(3)},  {6, "0x" + Id(4)},
                          {21, "0x" + Id(1)}, {36, "0x" + Id(2)}, {36, "0x" + Id(3)},
                          {37, "0x" + Id(4)}};

struct Scenario {
    const char* name;
    std::vector<std::string> accounts, rows;  // added to the base
    Entries mapping;                          // added to the base mapping
    std::vector<Kind> expected;               // in the order listed
    std::vector<int> items;                   // of the first finding
    std::vector<std::int32_t> codes;          // of the first finding's accounts
    // The first finding's figures in yen (`value`, `other`) and month.
    std::int64_t value, other;
    int month;
    // The run: its last month, its tax view, fields of the dataset, and an
    // entry of the base mapping left out.
    int endMonth;
    bool taxInclusive;
    std::string dataset;
    std::pair<int, std::string> dropped;

    // The table's rows give what their case needs, in this order.
    Scenario(const char* name_, std::vector<std::string> accounts_, std::vector<std::string> rows_,
             Entries mapping_, std::vector<Kind> expected_, std::vector<int> items_,
             std::vector<std::int32_t> codes_, std::int64_t value_ = 0, std::int64_t other_ = 0,
             int month_ = 0, int endMonth_ = 3, bool taxInclusive_ = false,
             std::string dataset_ = "", std::pair<int, std::string> dropped_ = {})
        : name(name_),
          accounts(std::move(accounts_)),
          rows(std::move(rows_)),
          mapping(std::move(mapping_)),
          expected(std::move(expected_)),
          items(std::move(items_)),
          codes(std::move(codes_)),
          value(value_),
          other(other_),
          month(month_),
          endMonth(endMonth_),
          taxInclusive(taxInclusive_),
          dataset(std::move(dataset_)),
          dropped(std::move(dropped_)) {}
};

TEST(AggregationDetail, EachCheckFiresOnItsCaseAndTheSourcesAddUp) {
    const std::string unknown = "0x" + std::string(32, 'f');
    const std::string withholding = Account(9, 2190, u8"預り金", "0x80412200");
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
        {"unbalanced",
         {},
         {Row(0, "0x80800000", 1, 101)},
         {},
         {Kind::kAssetsUnbalanced},
         {},
         {},
         101,
         100},
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
         // Purchases by month no longer add up to the emptied item.
         {Kind::kFigureReplaces, Kind::kFigureMissing, Kind::kMonthsDiffer},
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
        // The statement read as its reader reads it.
        {"side-business sales out of the monthly sales",
         {},
         {},
         {},
         {Kind::kMonthsDiffer},
         {36, 1},
         {},
         500,
         700,
         0,
         3,
         false,
         "",
         {36, "0x" + Id(3)}},
        {"monthly purchases left empty",
         {},
         {},
         {},
         {Kind::kMonthsDiffer},
         {37, 6},
         {},
         0,
         30,
         0,
         3,
         false,
         "",
         {37, "0x" + Id(4)}},
        {"side-business sales over the sales",
         {Account(10, 4125, u8"兼業手数料収入", "0x40888200")},
         {Row(10, "0x40888200", 2, 600)},
         {{2, "0x" + Id(10)}},
         {Kind::kBreakdownOver},
         {2, 1},
         {},
         800,
         700},
        {"closing inventory without its assets",
         {Account(8, 5710, u8"期末商品棚卸高", "0x40884700")},
         {Row(8, "0x40884700", 2, 80)},
         {{10, "0x" + Id(8)}},
         {Kind::kInventoryDiffers},
         {10, 24},
         {},
         80,
         0},
        {"withholdings on a monthly item",
         {withholding},
         {Row(9, "0x80412200", 2, 50, 0, 312)},
         {{40, "0x" + Id(9)}},
         {Kind::kOpeningOnMonthly},
         {40},
         {21900000},
         312,
         0,
         1},
        {"up to September", {}, {}, {}, {Kind::kPartYear}, {}, {}, 0, 0, 6, 9},
        {"tax included in a tax-excluding company",
         {},
         {},
         {},
         {Kind::kTaxView},
         {},
         {},
         0,
         0,
         0,
         3,
         true},
        {"introduced in October",
         {},
         {},
         {},
         {Kind::kIntroMonth},
         {},
         {},
         0,
         0,
         7,
         3,
         false,
         R"(, "introMonth": 7)"},
    };
    for (const Scenario& s : scenarios) {
        SCOPED_TRACE(s.name);
        Traced run;
        LoadDataset(run.host, s.accounts, s.rows, s.dataset);
        for (const ItemLine& line : kItems) {
            StatementItem item;
            item.itemNo = static_cast<std::int16_t>(line.no);
            item.side = static_cast<std::int16_t>(line.side);
            item.classCodes[0] = line.classCode;
            item.SetName(line.key);
            item.SetKey(line.key);
            run.items.Append(item);
        }
        for (const auto& [itemNo, id] : kMapping) {
            if (std::make_pair(itemNo, id) != s.dropped)
                run.mapping.Append(MappingEntry(static_cast<std::int16_t>(itemNo), id));
        }
        for (const auto& [itemNo, id] : s.mapping)
            run.mapping.Append(MappingEntry(static_cast<std::int16_t>(itemNo), id));
        Aggregate(run, s.endMonth, s.taxInclusive);
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
        EXPECT_EQ(first.value, s.value * 10000);
        EXPECT_EQ(first.other, s.other * 10000);
        EXPECT_EQ(first.month, s.month);
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

}  // namespace
