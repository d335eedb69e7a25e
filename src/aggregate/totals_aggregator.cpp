#include "aggregate/totals_aggregator.h"

#include <algorithm>
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
    IndexMappingAndItems();
    if (record_ != nullptr) *record_ = AggregationRecord();

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

    AccountIdBytes id;
    std::copy(row.IdBytes(), row.IdBytes() + id.size(), id.begin());
    if (record_ != nullptr) {
        record_->rows.push_back(
            {id, row.ClassCode(), row.Side(), row.Unmapped() != 0, balance.ToCount()});
    }
    for (std::size_t f = 0; f < figures_.size(); ++f) {
        const FigureRule& rule = kFigureRules[f];
        if (row.ClassCode() != rule.classCode) continue;
        if (!rule.flagTest || (row.FigureSource() == 1 && row.FigureBlocked() == 0)) {
            figures_[f] = balance;
            if (record_ != nullptr) {
                record_->figures[f] = balance.ToCount();
                record_->figureFound[f] = true;
            }
        }
    }

    if (row.Unmapped() != 0) return;
    // Every entry naming the account counts: an account mapped twice
    // counts twice.
    const auto found = entriesOfId_.find(id);
    if (found == entriesOfId_.end()) return;
    for (const MappingEntry* entry : found->second) {
        progress_.Tick();
        AddToItems(work, row, slotCount, *entry, balance);
    }
}

void ClTotalsAggregator::IndexMappingAndItems() {
    entriesOfId_.clear();
    itemsOfNo_.clear();
    // A row's id text is always "0x" and 32 lower-case digits, so only an
    // entry of exactly that form can equal it; keyed by its bytes, a row
    // needs no text.
    for (const MappingEntry& entry : currentMapping_) {
        AccountIdBytes id;
        if (ParseAccountIdText(entry.accountId(), id)) entriesOfId_[id].push_back(&entry);
    }
    for (StatementItem& item : itemCatalogue_)
        itemsOfNo_[item.itemNo].push_back(&item);
}

void ClTotalsAggregator::AddToItems(const RowWork& work, const AccountTotalsRecord& row,
                                    int slotCount, const MappingEntry& entry,
                                    const ClAmount& balance) {
    const bool debitSide = row.Side() == kDebitSide;
    const auto found = itemsOfNo_.find(entry.itemNo);
    if (found == itemsOfNo_.end()) return;
    for (StatementItem* each : found->second) {
        StatementItem& item = *each;
        const bool sameSide = item.side == row.Side();
        ItemChange* change = nullptr;
        if (record_ != nullptr) {
            ItemChange added;
            added.item = PositionOf(item);
            added.entry = PositionOf(entry);
            added.row = record_->rows.size() - 1;
            added.sign = sameSide ? 1 : -1;
            record_->changes.push_back(std::move(added));
            change = &record_->changes.back();
        }
        if (entry.itemNo < kFirstMonthlyItemNo) {
            const ClAmount amount = ClAmount::FromCount(item.amounts[0]);
            item.amounts[0] = (sameSide ? amount + balance : amount - balance).ToCount();
            if (change != nullptr) change->amount = (sameSide ? balance : -balance).ToCount();
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
            if (change != nullptr) {
                std::int64_t& applied = change->months[static_cast<std::size_t>(month)];
                applied = (ClAmount::FromCount(applied) + (sameSide ? value : -value)).ToCount();
                if (i == 0) {
                    change->opening = value.ToCount();
                    change->openingMonth = month;
                }
            }
        }
    }
}

void ClTotalsAggregator::ApplyKeywords() {
    for (const MappingEntry& entry : currentMapping_) {
        progress_.Tick();
        for (const KeywordFigure& k : kKeywordFigures) {
            if (SameAccountId(entry.accountId(), k.keyword)) SetFigure(entry, k.figure);
        }
        for (const KeywordRemainder& k : kKeywordRemainders) {
            if (SameAccountId(entry.accountId(), k.keyword)) SetRemainder(entry, k);
        }
    }
}

void ClTotalsAggregator::SetFigure(const MappingEntry& entry, ClassFigure figure) {
    const std::int64_t value = figures_[static_cast<std::size_t>(figure)].ToCount();
    const StatementItem* item = SetItemAmount(entry.itemNo, value);
    if (record_ == nullptr || item == nullptr) return;
    ItemChange set;
    set.kind = ItemChange::Kind::kFigure;
    set.item = PositionOf(*item);
    set.entry = PositionOf(entry);
    set.figure = figure;
    set.figureValue = value;
    set.amount = value;
    record_->changes.push_back(std::move(set));
}

void ClTotalsAggregator::SetRemainder(const MappingEntry& entry,
                                      const KeywordRemainder& remainder) {
    const ClAmount& figure = figures_[static_cast<std::size_t>(remainder.figure)];
    // Only the items before the target count: the catalogue's order decides.
    ClAmount shown;
    std::vector<std::size_t> summed;
    for (StatementItem& item : itemCatalogue_) {
        if (item.itemNo == entry.itemNo) {
            item.amounts[0] = (figure - shown).ToCount();
            if (record_ != nullptr) {
                ItemChange set;
                set.kind = ItemChange::Kind::kRemainder;
                set.item = PositionOf(item);
                set.entry = PositionOf(entry);
                set.figure = remainder.figure;
                set.figureValue = figure.ToCount();
                set.amount = item.amounts[0];
                set.subtracted = std::move(summed);
                record_->changes.push_back(std::move(set));
            }
            return;
        }
        if (item.itemNo >= remainder.firstSummed && item.itemNo <= remainder.lastSummed) {
            shown += ClAmount::FromCount(item.amounts[0]);
            if (record_ != nullptr) summed.push_back(PositionOf(item));
        }
    }
}

std::size_t ClTotalsAggregator::PositionOf(const StatementItem& item) const {
    return static_cast<std::size_t>(&item - &*itemCatalogue_.begin());
}

std::size_t ClTotalsAggregator::PositionOf(const MappingEntry& entry) const {
    return static_cast<std::size_t>(&entry - &*currentMapping_.begin());
}

const StatementItem* ClTotalsAggregator::SetItemAmount(int itemNo, std::int64_t count) {
    for (StatementItem& item : itemCatalogue_) {
        progress_.Tick();
        if (item.itemNo > kFirstMonthlyItemNo) return nullptr;
        if (item.itemNo == itemNo) {
            item.amounts[0] = count;
            return &item;
        }
    }
    return nullptr;
}
