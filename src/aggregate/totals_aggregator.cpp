#include "aggregate/totals_aggregator.h"

#include <new>
#include <string>
#include <string_view>

#include "aggregate/totals_filter.h"
#include "model/account_id_text.h"
#include "model/progress_sink.h"

namespace {

using Column = AccountTotalsRecord::Column;

constexpr std::uint8_t kDebitSide = 1;
constexpr int kLastMonthSlot = 12;
constexpr std::size_t kYearEndSlot = 13;
constexpr std::size_t kInterimSlot = 14;

struct FigureRule {
    std::uint32_t classCode;
    // The rows' flags decide whether they give the figure.
    bool flagTest;
};

constexpr FigureRule kFigureRules[] = {
    {0x40888000u, true},   // kSales
    {0x40884000u, true},   // kCostOfSales
    {0x40880008u, true},   // kGrossProfit
    {0x40880000u, true},   // kOperatingProfit
    {0x40200080u, false},  // kPreTaxProfit
    {0x80800000u, true},   // kAssets
    {0x80400000u, true},   // kLiabilities
    {0x80200000u, true},   // kCapital
};
static_assert(sizeof kFigureRules / sizeof kFigureRules[0] ==
                  static_cast<std::size_t>(ClassFigure::kCount),
              "one rule per figure");

// Keywords whose item simply receives a figure.
struct KeywordFigure {
    std::string_view keyword;
    ClassFigure figure;
};
constexpr KeywordFigure kKeywordFigures[] = {
    {"URIAGEDAKA", ClassFigure::kSales},
    {"URIAGEGENKA", ClassFigure::kCostOfSales},
    {"URIAGESOURIEKI", ClassFigure::kGrossProfit},
    {"EIGYOUSONEKI", ClassFigure::kOperatingProfit},
    {"ZEIBIKIMAE", ClassFigure::kPreTaxProfit},
    {"SIHON", ClassFigure::kCapital},
    {"SISAN", ClassFigure::kAssets},
    {"FUSAI", ClassFigure::kLiabilities},
};

// Keywords whose item receives a figure less the items listed before it in
// a range: the assets or liabilities not shown by the other items.
struct KeywordRemainder {
    std::string_view keyword;
    ClassFigure figure;
    int firstSummed;
    int lastSummed;
};
constexpr KeywordRemainder kKeywordRemainders[] = {
    {"SOREIGAI", ClassFigure::kAssets, 18, 24},
    {"SONOTAFUSAI", ClassFigure::kLiabilities, 26, 29},
};

bool IsPosition(int position) {
    return position >= 1 && position <= kLastMonthSlot;
}

}  // namespace

// What every row of one run is read with.
struct ClTotalsAggregator::RowWork {
    Column debit;
    Column credit;
    int start;  // S: first position of the period
    int end;    // E: last position of the period
    bool yearEnd;
    bool interim;
    int introMonth;
};

ClTotalsAggregator::ClTotalsAggregator(Host& host, ProgressSink& progress,
                                       const MappingList& currentMapping,
                                       ItemCatalogue& itemCatalogue)
    : host_(host),
      progress_(progress),
      currentMapping_(currentMapping),
      itemCatalogue_(itemCatalogue) {}

ClTotalsAggregator::~ClTotalsAggregator() = default;

int ClTotalsAggregator::Aggregate(int taxInclusive, const AccountFilter& filter,
                                  const DatasetRecord& dataset) {
    // Positions outside the fiscal year would address months and slots
    // that do not exist; the condition checks refuse such periods first.
    const TotalsMonthSpan span = ReadTotalsMonthSpan(filter);
    if (!IsPosition(span.startPosition) || !IsPosition(span.endPosition)) return 0;

    progress_.StepRange(0, 100);
    if (!query_) {
        query_ = host_.OpenTotalsQuery();
        if (!query_) return 0;
    }

    progress_.StepRange(100, 200);
    query_->Begin(filter);
    std::int32_t rowCount = 0;
    if (query_->GetRowCount(&rowCount) != kHostOk) return 0;

    progress_.StepRange(200, 300);
    if (query_->SeekRow(0) != kHostOk) return 0;

    RowWork work;
    work.debit = taxInclusive != 0 ? Column::kDebitInTax : Column::kDebitExTax;
    work.credit = taxInclusive != 0 ? Column::kCreditInTax : Column::kCreditExTax;
    work.start = span.startPosition;
    work.end = span.endPosition;
    work.yearEnd = span.yearEndIncluded;
    work.interim = dataset.InterimSettlement() == 1 && span.endPosition == kInterimEndPosition;
    work.introMonth = dataset.IntroMonth();
    figures_.fill(ClAmount());

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
            TreatRow(work, row);
        }
        if (result != kHostOk && result != kHostNoMoreRows) return 0;

        progress_.StepRange(300, 400);
        query_->End();
        query_.reset();
        ApplyKeywords();
    } catch (const AmountOutOfRange&) {
        return 0;
    }
    progress_.StepRange(400, 500);
    return 1;
}

void ClTotalsAggregator::TreatRow(const RowWork& work, const AccountTotalsRecord& row) {
    const bool debitSide = row.Side() == kDebitSide;
    const auto debit = [&](std::size_t slot) {
        return ClAmount::FromCount(row.Amount(work.debit, slot));
    };
    const auto credit = [&](std::size_t slot) {
        return ClAmount::FromCount(row.Amount(work.credit, slot));
    };

    // The balance brought into the period, counted only once the data has
    // been introduced.
    ClAmount debits;
    ClAmount credits;
    for (int i = 0; i < work.start; ++i) {
        debits += debit(i);
        credits += credit(i);
    }
    ClAmount opening;
    if (work.introMonth <= work.end) opening = debitSide ? debits - credits : credits - debits;

    int slotCount = work.yearEnd ? static_cast<int>(kYearEndSlot) + 1 : work.end + 1;
    debits = ClAmount();
    credits = ClAmount();
    for (int i = work.start; i < slotCount; ++i) {
        progress_.Tick();
        debits += debit(i);
        credits += credit(i);
    }
    if (work.interim) {
        debits += debit(kInterimSlot);
        credits += credit(kInterimSlot);
        slotCount = static_cast<int>(kInterimSlot) + 1;
    }
    const ClAmount balance =
        debitSide ? (opening + debits) - credits : (opening + credits) - debits;

    for (std::size_t f = 0; f < figures_.size(); ++f) {
        const FigureRule& rule = kFigureRules[f];
        if (row.ClassCode() != rule.classCode) continue;
        if (!rule.flagTest || (row.FigureSource() == 1 && row.FigureBlocked() == 0)) {
            figures_[f] = balance;
        }
    }

    if (row.Unmapped() != 0) return;
    const std::string accountId = FormatAccountIdText(row.IdBytes());
    // Every entry is examined: an account mapped twice counts twice. An
    // entry's id holds no NUL and at most 34 bytes, the row's is 34 digits:
    // plain equality is SameAccountId here, at a fraction of its cost in a
    // walk of rows times entries.
    for (const MappingEntry& entry : currentMapping_) {
        progress_.Tick();
        if (entry.accountId() == accountId) {
            AddToItems(work, row, slotCount, entry.itemNo, balance);
        }
    }
}

void ClTotalsAggregator::AddToItems(const RowWork& work, const AccountTotalsRecord& row,
                                    int slotCount, int itemNo, const ClAmount& balance) {
    const bool debitSide = row.Side() == kDebitSide;
    for (StatementItem& item : itemCatalogue_) {
        if (item.itemNo != itemNo) continue;
        const bool sameSide = item.side == row.Side();
        if (itemNo < kFirstMonthlyItemNo) {
            const ClAmount amount = ClAmount::FromCount(item.amounts[0]);
            item.amounts[0] = (sameSide ? amount + balance : amount - balance).ToCount();
            continue;
        }
        for (int i = 0; i < slotCount; ++i) {
            // The interim period stands for the months after the sixth.
            if (slotCount == static_cast<int>(kInterimSlot) + 1 && i > kInterimEndPosition &&
                i <= static_cast<int>(kYearEndSlot)) {
                continue;
            }
            if (i == 0 && work.introMonth > work.end) continue;
            // The opening balance goes to the month the data was introduced
            // in, the adjustment periods to the period's last month; both lie
            // within 1..12 since the positions do.
            int month = i;
            if (i == 0) month = work.introMonth <= 0 ? 1 : work.introMonth;
            if (i >= static_cast<int>(kYearEndSlot)) month = work.end;
            const std::size_t slot = static_cast<std::size_t>(i);
            const ClAmount debits = ClAmount::FromCount(row.Amount(work.debit, slot));
            const ClAmount credits = ClAmount::FromCount(row.Amount(work.credit, slot));
            const ClAmount value = debitSide ? debits - credits : credits - debits;
            std::int64_t& target = item.amounts[static_cast<std::size_t>(month)];
            const ClAmount amount = ClAmount::FromCount(target);
            target = (sameSide ? amount + value : amount - value).ToCount();
        }
    }
}

void ClTotalsAggregator::ApplyKeywords() {
    for (const MappingEntry& entry : currentMapping_) {
        progress_.Tick();
        for (const KeywordFigure& k : kKeywordFigures) {
            if (SameAccountId(entry.accountId(), k.keyword)) {
                SetItemAmount(entry.itemNo, figures_[static_cast<std::size_t>(k.figure)].ToCount());
            }
        }
        for (const KeywordRemainder& k : kKeywordRemainders) {
            if (SameAccountId(entry.accountId(), k.keyword)) {
                SetRemainder(entry.itemNo, figures_[static_cast<std::size_t>(k.figure)],
                             k.firstSummed, k.lastSummed);
            }
        }
    }
}

void ClTotalsAggregator::SetRemainder(int itemNo, const ClAmount& figure, int firstSummed,
                                      int lastSummed) {
    // Only the items before the target count: the catalogue's order decides.
    ClAmount shown;
    for (StatementItem& item : itemCatalogue_) {
        if (item.itemNo == itemNo) {
            item.amounts[0] = (figure - shown).ToCount();
            return;
        }
        if (item.itemNo >= firstSummed && item.itemNo <= lastSummed) {
            shown += ClAmount::FromCount(item.amounts[0]);
        }
    }
}

void ClTotalsAggregator::SetItemAmount(int itemNo, std::int64_t count) {
    for (StatementItem& item : itemCatalogue_) {
        progress_.Tick();
        if (item.itemNo > kFirstMonthlyItemNo) return;
        if (item.itemNo == itemNo) {
            item.amounts[0] = count;
            return;
        }
    }
}
