#include "aggregate/detail_builder.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

#include "aggregate/class_figures.h"
#include "aggregate/detail_checks.h"
#include "aggregate/record_accounts.h"
#include "aggregate/statement_checks.h"
#include "aggregate/totals_filter.h"

namespace {

using Kind = DetailSource::Kind;
using Why = DetailSource::Why;

constexpr std::size_t kNoChange = static_cast<std::size_t>(-1);

DetailSource SourceOfChange(const ItemChange& change, const AggregationRecord& record,
                            const RecordAccounts& known) {
    DetailSource source;
    source.entry = change.entry;
    source.amount = change.amount;
    if (change.kind == ItemChange::Kind::kAccount) {
        source.kind = Kind::kAccount;
        source.account = known.AccountOfRow(change.row);
        source.sign = change.sign;
        source.months = change.months;
        source.opening = change.opening;
        source.openingMonth = change.openingMonth;
        return source;
    }
    const std::size_t figure = static_cast<std::size_t>(change.figure);
    source.kind = change.kind == ItemChange::Kind::kFigure ? Kind::kFigure : Kind::kRemainder;
    source.figureName = std::string(kFigureNames[figure]);
    source.figureCode = kFigureRules[figure].classCode;
    source.figureValue = change.figureValue;
    source.figureFound = record.figureFound[figure];
    source.subtracted = change.subtracted;
    return source;
}

DetailSource SourceOfIdleEntry(std::size_t entry, const std::string& accountId,
                               const RecordAccounts& known) {
    DetailSource source;
    source.entry = entry;
    source.accountId = accountId;
    if (IsReservedFigureKeyword(accountId)) {
        source.why = Why::kNotApplied;
        return source;
    }
    source.account = known.Account(accountId);
    if (!known.RowsOf(accountId).empty()) {
        // A row that the host lets be mapped would have changed the item.
        source.why = Why::kExcludedByHost;
    } else {
        source.why = source.account.code != 0 ? Why::kNoTotalsRow : Why::kNoAccount;
    }
    return source;
}

}  // namespace

AggregationDetail BuildAggregationDetail(const AggregationRecord& record,
                                         const ItemCatalogue& items, const MappingList& mapping,
                                         const AccountDirectory& accounts, const DetailRun& run) {
    const RecordAccounts known(record, accounts);

    // Each item's changes by entry, each entry's in the order made; and the
    // last change that set the item, which replaced everything before it.
    std::vector<std::vector<std::size_t>> changesOf(items.size());
    std::vector<std::size_t> lastSet(items.size(), kNoChange);
    for (std::size_t i = 0; i < record.changes.size(); ++i) {
        const ItemChange& change = record.changes[i];
        if (change.item >= items.size()) continue;
        changesOf[change.item].push_back(i);
        if (change.kind != ItemChange::Kind::kAccount) lastSet[change.item] = i;
    }
    for (std::vector<std::size_t>& changes : changesOf) {
        std::stable_sort(changes.begin(), changes.end(), [&record](std::size_t a, std::size_t b) {
            return record.changes[a].entry < record.changes[b].entry;
        });
    }
    std::unordered_map<int, std::vector<std::size_t>> entriesOf;
    std::vector<const MappingEntry*> entries;
    for (const MappingEntry& entry : mapping) {
        entriesOf[entry.itemNo].push_back(entries.size());
        entries.push_back(&entry);
    }

    AggregationDetail detail;
    detail.sources.resize(items.size());
    std::size_t position = 0;
    for (const StatementItem& item : items) {
        std::vector<DetailSource>& sources = detail.sources[position];
        const std::vector<std::size_t>& changes = changesOf[position];
        auto next = changes.begin();
        const auto found = entriesOf.find(item.itemNo);
        if (found != entriesOf.end()) {
            for (const std::size_t entry : found->second) {
                // Entries and the sorted changes both ascend.
                while (next != changes.end() && record.changes[*next].entry < entry)
                    ++next;
                bool changed = false;
                for (; next != changes.end() && record.changes[*next].entry == entry; ++next) {
                    DetailSource source = SourceOfChange(record.changes[*next], record, known);
                    source.accountId = entries[entry]->accountId();
                    source.counted = lastSet[position] == kNoChange || *next >= lastSet[position];
                    sources.push_back(std::move(source));
                    changed = true;
                }
                if (!changed) {
                    sources.push_back(SourceOfIdleEntry(entry, entries[entry]->accountId(), known));
                }
            }
        }
        ++position;
    }
    detail.reconciliations = ReconcileMonths(items);
    detail.findings = CheckAggregation(known, record, items, mapping, detail.sources,
                                       detail.reconciliations, run);
    return detail;
}

DetailRun DetailRunOf(const AccountFilter& filter, const DatasetRecord& dataset,
                      const AggregationConditions& conditions) {
    const TotalsMonthSpan span = ReadTotalsMonthSpan(filter);
    DetailRun run;
    run.startPosition = span.startPosition;
    run.endPosition = span.endPosition;
    // Data introduced before the year (or not at all) starts with it.
    run.introPosition = dataset.IntroMonth() > 0 ? dataset.IntroMonth() : 1;
    run.yearEndIncluded = span.yearEndIncluded;
    run.interimIncluded =
        dataset.InterimSettlement() == 1 && span.endPosition == kInterimEndPosition;
    run.taxInclusive = conditions.taxInclusive != 0;
    run.companyTaxInclusive = conditions.companyTaxInclusive != 0;
    return run;
}
