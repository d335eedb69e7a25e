// The indexed totals walk against the plain nested walk (rows x mapping
// entries x items) on random datasets: the same amounts, the same figures
// and the same failure at the amounts' bound, so that the two can never
// drift apart. On the same datasets, the amounts the sheet shows from its
// kept rows against the run's.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "aggregate/sheet_amounts.h"
#include "aggregate/totals_aggregator.h"
#include "aggregate/totals_filter.h"
#include "app/progress_window.h"
#include "model/account_id_text.h"
#include "model/fiscal_months.h"
#include "report/overview_report.h"
#include "tests/unit/fakes/fake_host.h"

namespace {

using Wide = __int128;
constexpr Wide kBound = 1000000000000000000;  // 10^18 ten-thousandths

struct OutOfRange {};

// Every operation of the walk is checked against the bound.
Wide Checked(Wide value) {
    if (value >= kBound || value <= -kBound) throw OutOfRange();
    return value;
}

const std::uint32_t kFigureCodes[] = {0x40888000u, 0x40884000u, 0x40880008u, 0x40880000u,
                                      0x40200080u, 0x80800000u, 0x80400000u, 0x80200000u};
const char* const kFigureKeywords[] = {"URIAGEDAKA",   "URIAGEGENKA", "URIAGESOURIEKI",
                                       "EIGYOUSONEKI", "ZEIBIKIMAE",  "SISAN",
                                       "FUSAI",        "SIHON"};

struct Outcome {
    int result = 0;
    std::vector<std::array<std::int64_t, kAmountSlots>> amounts;
    std::array<std::int64_t, 8> figures{};
};

// The walk as the statement's rules describe it, without an index.
Outcome PlainWalk(const std::vector<AccountTotalsRecord>& rows, const MappingList& mapping,
                  ItemCatalogue items, int s, int e, bool yearEnd, bool interim, int intro,
                  bool taxInclusive) {
    using Column = AccountTotalsRecord::Column;
    const Column dc = taxInclusive ? Column::kDebitInTax : Column::kDebitExTax;
    const Column cc = taxInclusive ? Column::kCreditInTax : Column::kCreditExTax;
    std::array<Wide, 8> figures{};
    Outcome outcome;
    outcome.result = 1;
    try {
        for (const AccountTotalsRecord& row : rows) {
            const bool debitSide = row.Side() == 1;
            Wide x = 0, y = 0;
            for (int i = 0; i < s; ++i) {
                x = Checked(x + row.Amount(dc, i));
                y = Checked(y + row.Amount(cc, i));
            }
            Wide z = 0;
            if (intro <= e) z = Checked(debitSide ? x - y : y - x);
            int n = yearEnd ? 14 : e + 1;
            x = 0, y = 0;
            for (int i = s; i < n; ++i) {
                x = Checked(x + row.Amount(dc, i));
                y = Checked(y + row.Amount(cc, i));
            }
            if (interim) {
                x = Checked(x + row.Amount(dc, 14));
                y = Checked(y + row.Amount(cc, 14));
                n = 15;
            }
            const Wide w = debitSide ? Checked(Checked(z + x) - y) : Checked(Checked(z + y) - x);
            for (int f = 0; f < 8; ++f) {
                const bool flags = row.FigureSource() == 1 && row.FigureBlocked() == 0;
                if (row.ClassCode() == kFigureCodes[f] && (f == 4 || flags)) figures[f] = w;
            }
            if (row.Unmapped() != 0) continue;
            const std::string id = FormatAccountIdText(row.IdBytes());
            for (const MappingEntry& entry : mapping) {
                if (!SameAccountId(entry.accountId(), id)) continue;
                for (StatementItem& item : items) {
                    if (item.itemNo != entry.itemNo) continue;
                    const int sign = item.side == row.Side() ? 1 : -1;
                    if (item.itemNo < 36) {
                        item.amounts[0] =
                            static_cast<std::int64_t>(Checked(item.amounts[0] + sign * w));
                        continue;
                    }
                    for (int i = 0; i < n; ++i) {
                        if (n == 15 && i >= 7 && i <= 13) continue;
                        if (i == 0 && intro > e) continue;
                        const int month = i == 0 ? (intro <= 0 ? 1 : intro) : i >= 13 ? e : i;
                        const Wide d = row.Amount(dc, i), c = row.Amount(cc, i);
                        const Wide v = Checked(debitSide ? d - c : c - d);
                        item.amounts[month] =
                            static_cast<std::int64_t>(Checked(item.amounts[month] + sign * v));
                    }
                }
            }
        }
        for (const MappingEntry& entry : mapping) {
            for (int f = 0; f < 8; ++f) {
                if (!SameAccountId(entry.accountId(), kFigureKeywords[f])) continue;
                for (StatementItem& item : items) {
                    if (item.itemNo > 36) break;
                    if (item.itemNo == entry.itemNo) {
                        item.amounts[0] = static_cast<std::int64_t>(figures[f]);
                        break;
                    }
                }
            }
            const struct {
                const char* keyword;
                int figure, first, last;
            } remainders[] = {{"SOREIGAI", 5, 18, 24}, {"SONOTAFUSAI", 6, 26, 29}};
            for (const auto& r : remainders) {
                if (!SameAccountId(entry.accountId(), r.keyword)) continue;
                Wide shown = 0;
                for (StatementItem& item : items) {
                    if (item.itemNo == entry.itemNo) {
                        item.amounts[0] =
                            static_cast<std::int64_t>(Checked(figures[r.figure] - shown));
                        break;
                    }
                    if (item.itemNo >= r.first && item.itemNo <= r.last) {
                        shown = Checked(shown + item.amounts[0]);
                    }
                }
            }
        }
    } catch (const OutOfRange&) {
        outcome.result = 0;
    }
    for (const StatementItem& item : items)
        outcome.amounts.push_back(item.amounts);
    if (outcome.result == 1) {
        for (int f = 0; f < 8; ++f)
            outcome.figures[f] = static_cast<std::int64_t>(figures[f]);
    }
    return outcome;
}

std::string Hex(std::uint32_t code) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%08x", code);
    return hex;
}

std::string IdHex(int account) {
    char hex[33];
    std::snprintf(hex, sizeof hex, "%032x", account);
    return hex;
}

// The changes kept by the aggregation, replayed in order on zero amounts,
// give every item's amounts: nothing of a figure goes untraced.
void ExpectRecordReplaysTheAmounts(const AggregationRecord& record, const ItemCatalogue& items) {
    std::vector<std::array<std::int64_t, kAmountSlots>> replayed(items.size());
    for (const ItemChange& change : record.changes) {
        auto& amounts = replayed[change.item];
        switch (change.kind) {
            case ItemChange::Kind::kAccount:
                amounts[0] += change.amount;
                for (std::size_t m = 1; m < kAmountSlots; ++m)
                    amounts[m] += change.months[m];
                break;
            case ItemChange::Kind::kFigure:
                amounts[0] = change.figureValue;
                break;
            case ItemChange::Kind::kRemainder: {
                std::int64_t shown = 0;
                for (const std::size_t item : change.subtracted)
                    shown += replayed[item][0];
                EXPECT_EQ(change.amount, change.figureValue - shown);
                amounts[0] = change.amount;
                break;
            }
        }
    }
    std::size_t i = 0;
    for (const StatementItem& item : items)
        EXPECT_EQ(replayed[i++], item.amounts) << "item " << item.itemNo;
}

// One random dataset with its mapping, items and conditions.
struct RandomCase {
    FakeHost host;
    DatasetRecord dataset;
    MappingList mapping;
    ItemCatalogue items;
    int endMonth = 3;
    bool taxInclusive = false;
    bool interim = false;
    int intro = 1;
};

std::unique_ptr<RandomCase> MakeRandomCase(std::mt19937& random, int round) {
    const auto pick = [&random](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    auto c = std::make_unique<RandomCase>();
    const bool nearBound = round % 5 == 4;
    const int accounts = pick(1, 40);
    std::string rowsJson;
    for (int r = 0, count = pick(0, 80); r < count; ++r) {
        const bool figure = pick(0, 5) == 0;
        std::string slots[4];
        for (std::string& slot : slots) {
            slot = "[";
            for (int i = 0; i < 15; ++i) {
                const std::int64_t amount = nearBound
                                                ? std::int64_t{pick(0, 9)} * 99999999999999999LL
                                                : std::int64_t{pick(-2000000, 9000000)};
                slot += (i ? "," : "") + std::to_string(amount);
            }
            slot += "]";
        }
        rowsJson += std::string(r ? "," : "") + "{\"id\": \"" + IdHex(pick(1, accounts)) +
                    "\", \"class\": \"" + (figure ? Hex(kFigureCodes[pick(0, 7)]) : "0x10") +
                    "\", \"side\": " + std::to_string(pick(1, 2)) +
                    ", \"figureSource\": " + std::to_string(pick(0, 1)) +
                    ", \"figureBlocked\": " + std::to_string(pick(0, 3) == 0) +
                    ", \"unmapped\": " + std::to_string(pick(0, 6) == 0) +
                    ", \"debitExTax\": " + slots[0] + ", \"creditExTax\": " + slots[1] +
                    ", \"debitInTax\": " + slots[2] + ", \"creditInTax\": " + slots[3] + "}";
    }
    c->interim = pick(0, 1) == 1;
    c->intro = pick(0, 13);
    c->host.Load(R"("user": {"selection": [1, 1]}, "datasets": [{"id": "R", "no": 1,
        "periodStart": 20250401, "periodEnd": 20260331, "interimSettlement": )" +
                 std::to_string(c->interim) + ", \"introMonth\": " + std::to_string(c->intro) +
                 ", \"totals\": [" + rowsJson + "]}]");
    c->host.FindDataset(1, c->dataset);

    for (int m = 0, count = pick(0, 60); m < count; ++m) {
        const int kind = pick(0, 9);
        std::string id = kind == 0   ? kFigureKeywords[pick(0, 7)]
                         : kind == 1 ? (pick(0, 1) ? "SOREIGAI" : "SONOTAFUSAI")
                                     : "0x" + IdHex(pick(1, accounts + 3));
        // An id in upper case, or cut short, names no account.
        if (kind == 2) std::transform(id.begin(), id.end(), id.begin(), ::toupper);
        if (kind == 3) id.resize(static_cast<std::size_t>(pick(0, 33)));
        c->mapping.Append(MappingEntry(static_cast<std::int16_t>(pick(1, 43)), id));
    }
    for (int i = 0, count = pick(1, 50); i < count; ++i) {
        StatementItem item;
        item.itemNo = static_cast<std::int16_t>(pick(1, 43));
        item.side = static_cast<std::int16_t>(pick(1, 2));
        c->items.Append(item);
    }
    c->endMonth = (pick(0, 11) + 3) % 12 + 1;
    c->taxInclusive = pick(0, 1) == 1;
    return c;
}

TEST(TotalsWalkEquivalence, IndexedAndNestedWalksAgreeOnRandomDatasets) {
    std::mt19937 random(20261207);
    for (int round = 0; round < 60; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        const std::unique_ptr<RandomCase> c = MakeRandomCase(random, round);
        FakeHost& host = c->host;
        const DatasetRecord& dataset = c->dataset;
        const MappingList& mapping = c->mapping;
        ItemCatalogue& items = c->items;
        const int endMonth = c->endMonth;
        const bool taxInclusive = c->taxInclusive;
        const bool interim = c->interim;
        const int intro = c->intro;

        const AccountFilter filter =
            PrepareTotalsFilter(host, dataset, 4, static_cast<std::int16_t>(endMonth));
        const TotalsMonthSpan span = ReadTotalsMonthSpan(filter);
        const bool interimUsed = interim && span.endPosition == kInterimEndPosition;
        const Outcome expected =
            PlainWalk(host.Open()->totals, mapping, items, span.startPosition, span.endPosition,
                      span.yearEndIncluded, interimUsed, intro, taxInclusive);

        ClProgressWindow progress(std::make_unique<NullProgressView>());
        ClTotalsAggregator aggregator(host, progress, mapping, items);
        AggregationRecord record;
        aggregator.RecordInto(&record);
        Outcome indexed;
        indexed.result = aggregator.Aggregate(taxInclusive, filter, dataset);
        for (const StatementItem& item : items)
            indexed.amounts.push_back(item.amounts);
        if (indexed.result == 1) {
            for (int f = 0; f < 8; ++f)
                indexed.figures[f] = aggregator.Figures()[f].ToCount();
        }
        ASSERT_EQ(indexed.result, expected.result);
        ASSERT_EQ(indexed.amounts, expected.amounts);
        ASSERT_EQ(indexed.figures, expected.figures);
        if (indexed.result == 1) ExpectRecordReplaysTheAmounts(record, items);
    }
}

bool HasKeywordEntry(const MappingList& mapping, int itemNo) {
    for (const MappingEntry& entry : mapping) {
        if (entry.itemNo == itemNo && IsReservedFigureKeyword(entry.accountId())) return true;
    }
    return false;
}

// The whole yen the XML holds for an item: its amount, or its months summed.
std::int64_t XmlYen(const StatementItem& item) {
    std::int64_t yen = 0;
    for (std::size_t slot = IsMonthlyItemNo(item.itemNo) ? 1 : 0;
         slot < (IsMonthlyItemNo(item.itemNo) ? kAmountSlots : 1); ++slot) {
        const std::string text = AmountText(item.amounts[slot]);
        yen += text.empty() ? 0 : std::stoll(text);
    }
    return yen;
}

// The amounts the sheet shows, worked out from the rows of one whole-year
// query, against runs of the aggregation for every end month and both tax
// views: each row's balance, every item's amounts and the yen the XML holds
// of them, and what the mapped accounts add up to for items without a
// keyword.
TEST(TotalsWalkEquivalence, TheSheetsKeptAmountsAreTheRunsForEveryPeriodAndTaxView) {
    std::mt19937 random(20261208);
    for (int round = 0; round < 40; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        const std::unique_ptr<RandomCase> c = MakeRandomCase(random, round);
        std::int16_t fiscalStart = 0;
        std::int16_t fiscalEnd = 0;
        FiscalMonthRange(c->host, c->dataset.PeriodStart(), c->dataset.PeriodEnd(), &fiscalStart,
                         &fiscalEnd);
        SheetAmounts sheet(c->host, c->dataset, fiscalStart, fiscalEnd);
        AggregationConditions conditions;
        conditions.startMonth = fiscalStart;
        conditions.introMonth = static_cast<std::int16_t>(c->intro);
        for (int endMonth = 1; endMonth <= 12; ++endMonth) {
            for (const bool taxInclusive : {false, true}) {
                SCOPED_TRACE("end month " + std::to_string(endMonth) +
                             (taxInclusive ? " tax included" : ""));
                conditions.endMonth = static_cast<std::int16_t>(endMonth);
                conditions.taxInclusive = taxInclusive ? 1 : 0;
                const PeriodAmounts* shown = sheet.For(conditions);
                if (IsWrongPeriod(fiscalStart, fiscalEnd, conditions.startMonth,
                                  conditions.endMonth) ||
                    EndsBeforeIntroduction(fiscalStart, fiscalEnd, conditions.startMonth,
                                           conditions.endMonth, conditions.introMonth)) {
                    // No run starts for such a period.
                    EXPECT_EQ(shown, nullptr);
                    EXPECT_EQ(sheet.status(), SheetAmounts::Status::kWrongPeriod);
                    continue;
                }
                ItemCatalogue run = c->items;
                ClProgressWindow progress(std::make_unique<NullProgressView>());
                ClTotalsAggregator aggregator(c->host, progress, c->mapping, run);
                AggregationRecord record;
                aggregator.RecordInto(&record);
                const AccountFilter filter = PrepareTotalsFilter(
                    c->host, c->dataset, conditions.startMonth, conditions.endMonth);
                const int result = aggregator.Aggregate(taxInclusive, filter, c->dataset);

                ItemCatalogue screen = c->items;
                const bool filled = shown != nullptr && shown->FillItems(c->mapping, screen);
                ASSERT_EQ(filled, result == 1);
                if (result == 0) continue;
                ASSERT_EQ(record.rows.size(), sheet.kept().rows().size());
                for (std::size_t row = 0; row < record.rows.size(); ++row)
                    ASSERT_EQ(shown->RowBalance(row), record.rows[row].balance) << "row " << row;
                auto shownItem = screen.begin();
                for (const StatementItem& item : run) {
                    ASSERT_EQ(shownItem->amounts, item.amounts) << "item " << item.itemNo;
                    EXPECT_EQ(ShownYen(item.itemNo, shownItem->amounts), XmlYen(item));
                    ++shownItem;
                    if (HasKeywordEntry(c->mapping, item.itemNo)) continue;
                    ItemAmounts added{};
                    for (const MappingEntry& entry : c->mapping) {
                        if (entry.itemNo != item.itemNo) continue;
                        const std::optional<ItemAmounts> one =
                            shown->Contribution(entry.accountId(), item.itemNo, item.side);
                        ASSERT_TRUE(one.has_value());
                        for (std::size_t slot = 0; slot < kAmountSlots; ++slot)
                            added[slot] += (*one)[slot];
                    }
                    EXPECT_EQ(added, item.amounts) << "the accounts of item " << item.itemNo;
                }
            }
        }
    }
}

}  // namespace
