#include "aggregate/totals_walk.h"

#include <string>
#include <utility>

#include "model/mapping_entry.h"
#include "model/progress_sink.h"

TotalsWalk::TotalsWalk(ProgressSink& progress, const MappingList& currentMapping,
                       ItemCatalogue& itemCatalogue)
    : progress_(progress), currentMapping_(currentMapping), itemCatalogue_(itemCatalogue) {}

void TotalsWalk::Begin(const AggregationPeriod& period) {
    period_ = period;
    figures_.fill(ClAmount());
    IndexMappingAndItems();
    if (record_ != nullptr) *record_ = AggregationRecord();
}

void TotalsWalk::TreatRow(const TotalsRow& row) {
    const ClAmount balance = AccountBalance(row, period_, progress_);
    if (record_ != nullptr) {
        record_->rows.push_back(
            {row.id, row.classCode, row.side, row.unmapped != 0, balance.ToCount()});
    }
    const ClassFigure figure = FigureOfRow(row);
    if (figure != ClassFigure::kCount) {
        const std::size_t f = static_cast<std::size_t>(figure);
        figures_[f] = balance;
        if (record_ != nullptr) {
            record_->figures[f] = balance.ToCount();
            record_->figureFound[f] = true;
        }
    }

    if (row.unmapped != 0) return;
    // Every entry naming the account counts: an account mapped twice
    // counts twice.
    const auto found = entriesOfId_.find(row.id);
    if (found == entriesOfId_.end()) return;
    for (const MappingEntry* entry : found->second) {
        progress_.Tick();
        AddToItems(row, *entry, balance);
    }
}

void TotalsWalk::IndexMappingAndItems() {
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

void TotalsWalk::AddToItems(const TotalsRow& row, const MappingEntry& entry,
                            const ClAmount& balance) {
    const auto found = itemsOfNo_.find(entry.itemNo);
    if (found == itemsOfNo_.end()) return;
    for (StatementItem* each : found->second) {
        StatementItem& item = *each;
        ItemChange* change = nullptr;
        if (record_ != nullptr) {
            ItemChange added;
            added.item = PositionOf(item);
            added.entry = PositionOf(entry);
            added.row = record_->rows.size() - 1;
            added.sign = item.side == row.side ? 1 : -1;
            record_->changes.push_back(std::move(added));
            change = &record_->changes.back();
        }
        AddRowToItem(
            row, balance, period_, entry.itemNo, item.side, item.amounts,
            [change](std::size_t target, const ClAmount& value, bool sameSide, bool opening) {
                if (change == nullptr) return;
                const ClAmount applied = sameSide ? value : -value;
                if (target == 0) {
                    change->amount = applied.ToCount();
                    return;
                }
                std::int64_t& month = change->months[target];
                month = (ClAmount::FromCount(month) + applied).ToCount();
                if (opening) {
                    change->opening = value.ToCount();
                    change->openingMonth = static_cast<int>(target);
                }
            });
    }
}

void TotalsWalk::ApplyKeywords() {
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

void TotalsWalk::SetFigure(const MappingEntry& entry, ClassFigure figure) {
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

void TotalsWalk::SetRemainder(const MappingEntry& entry, const KeywordRemainder& remainder) {
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

std::size_t TotalsWalk::PositionOf(const StatementItem& item) const {
    return static_cast<std::size_t>(&item - &*itemCatalogue_.begin());
}

std::size_t TotalsWalk::PositionOf(const MappingEntry& entry) const {
    return static_cast<std::size_t>(&entry - &*currentMapping_.begin());
}

const StatementItem* TotalsWalk::SetItemAmount(int itemNo, std::int64_t count) {
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
