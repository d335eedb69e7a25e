#include "aggregate/detail_checks.h"

#include <algorithm>
#include <cstddef>
#include <map>
#include <set>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "aggregate/class_figures.h"
#include "aggregate/statement_checks.h"
#include "model/mapping_entry.h"

namespace {

using Kind = DetailFinding::Kind;
using Level = DetailFinding::Level;
using Source = DetailSource;

bool InClasses(const StatementItem& item, std::uint32_t classCode) {
    return std::find(item.classCodes.begin(), item.classCodes.end(), classCode) !=
           item.classCodes.end();
}

bool HasClasses(const StatementItem& item) {
    return item.classCodes[0] != 0;
}

bool NamesAccount(const std::string& accountId) {
    return !IsReservedFigureKeyword(accountId);
}

class Checks {
  public:
    Checks(const RecordAccounts& known, const AggregationRecord& record, const ItemCatalogue& items,
           const MappingList& mapping, const std::vector<std::vector<Source>>& sources)
        : known_(known), record_(record), items_(items), mapping_(mapping), sources_(sources) {}

    std::vector<DetailFinding> Run(const std::vector<DetailReconciliation>& reconciliations,
                                   const DetailRun& run) {
        CheckStatement(items_, sources_, reconciliations, run, findings_);
        std::size_t position = 0;
        std::set<int> seen;
        for (const StatementItem& item : items_) {
            // An item number listed twice has the same entries twice.
            if (seen.insert(item.itemNo).second) CheckItem(item, sources_[position]);
            ++position;
        }
        CheckUnusedAccounts();
        CheckAssets();
        CheckEntriesWithoutItem(seen);
        CheckSharedAccounts();
        std::stable_sort(findings_.begin(), findings_.end(),
                         [](const DetailFinding& a, const DetailFinding& b) {
                             if (a.level != b.level) return a.level == Level::kCheck;
                             return a.kind < b.kind;
                         });
        return std::move(findings_);
    }

  private:
    DetailFinding& Add(Kind kind, Level level, const StatementItem* item) {
        DetailFinding finding;
        finding.kind = kind;
        finding.level = level;
        if (item != nullptr) finding.items.push_back(item->itemNo);
        findings_.push_back(std::move(finding));
        return findings_.back();
    }

    void CheckItem(const StatementItem& item, const std::vector<Source>& sources) {
        // The entries of each account id (an entry with several rows gives
        // several sources), in the order first met.
        std::vector<std::string> ids;
        std::map<std::string, std::set<std::size_t>> entriesOfId;
        std::vector<DetailAccount> unknown, outside, excluded;
        bool replaced = false;
        bool gives = false;
        std::string missingFigure;
        for (const Source& source : sources) {
            replaced = replaced || !source.counted;
            gives = gives || source.kind != Source::Kind::kNothing;
            if ((source.kind == Source::Kind::kFigure || source.kind == Source::Kind::kRemainder) &&
                !source.figureFound && missingFigure.empty()) {
                missingFigure = source.figureName;
            }
            if (!NamesAccount(source.accountId)) continue;
            std::set<std::size_t>& entries = entriesOfId[source.accountId];
            const bool firstMet = entries.empty();
            entries.insert(source.entry);
            if (!firstMet) continue;
            ids.push_back(source.accountId);
            const DetailAccount account = known_.Account(source.accountId);
            if (account.code == 0) {
                unknown.push_back(account);
            } else if (HasClasses(item) && !known_.RowsOf(source.accountId).empty() &&
                       !InClasses(item, account.classCode)) {
                outside.push_back(account);
            }
            if (source.why == Source::Why::kExcludedByHost) excluded.push_back(account);
        }
        for (const std::string& id : ids) {
            const std::size_t times = entriesOfId[id].size();
            if (times < 2) continue;
            DetailFinding& twice = Add(Kind::kMappedTwice, Level::kCheck, &item);
            twice.accounts.push_back(known_.Account(id));
            twice.count = static_cast<int>(times);
        }
        if (!unknown.empty()) {
            DetailFinding& finding = Add(Kind::kNoSuchAccount, Level::kCheck, &item);
            // Such an id can still match a row (one of an account the
            // chart does not list): say so rather than claim it gave nothing.
            for (const Source& source : sources) {
                if (source.kind == Source::Kind::kAccount && source.account.code == 0)
                    ++finding.count;
            }
            finding.accounts = std::move(unknown);
        }
        if (!outside.empty()) Add(Kind::kOutsideClasses, Level::kCheck, &item).accounts = outside;
        if (!excluded.empty()) Add(Kind::kExcludedByHost, Level::kCheck, &item).accounts = excluded;
        if (replaced) Add(Kind::kFigureReplaces, Level::kCheck, &item);
        if (!missingFigure.empty())
            Add(Kind::kFigureMissing, Level::kCheck, &item).figureName = missingFigure;
        if (gives && !item.HasXmlElement()) Add(Kind::kNotWritten, Level::kNote, &item);
    }

    // Accounts the user could map (listed, not excluded by the host) of an
    // item's classes, with a balance, that no entry names.
    void CheckUnusedAccounts() {
        std::unordered_set<std::string> used;
        for (const MappingEntry& entry : mapping_)
            used.insert(entry.accountId());
        // Only the rows of the items' classes are looked up.
        std::unordered_map<std::uint32_t, std::vector<std::string>> idsOfClass;
        for (const StatementItem& item : items_) {
            if (item.IsUnusedSlot()) continue;
            for (const std::uint32_t classCode : item.classCodes) {
                if (classCode != 0) idsOfClass[classCode];
            }
        }
        std::unordered_set<std::string> met;
        for (const RowRecord& row : record_.rows) {
            if (row.unmapped || idsOfClass.count(row.classCode) == 0) continue;
            const std::string id = FormatAccountIdText(row.id.data());
            if (!met.insert(id).second || used.count(id) != 0 || !known_.IsListed(id)) continue;
            idsOfClass[row.classCode].push_back(id);
        }
        std::set<int> seen;
        for (const StatementItem& item : items_) {
            if (!HasClasses(item) || item.IsUnusedSlot() || !seen.insert(item.itemNo).second)
                continue;
            std::vector<DetailAccount> unused;
            for (const std::uint32_t classCode : item.classCodes) {
                if (classCode == 0) continue;
                const auto found = idsOfClass.find(classCode);
                if (found == idsOfClass.end()) continue;
                for (const std::string& id : found->second) {
                    DetailAccount account = known_.Account(id);
                    if (account.balance != 0) unused.push_back(std::move(account));
                }
            }
            if (!unused.empty())
                Add(Kind::kUnusedAccounts, Level::kCheck, &item).accounts = std::move(unused);
        }
    }

    void CheckAssets() {
        const auto at = [](ClassFigure figure) { return static_cast<std::size_t>(figure); };
        const std::size_t assets = at(ClassFigure::kAssets);
        const std::size_t liabilities = at(ClassFigure::kLiabilities);
        const std::size_t capital = at(ClassFigure::kCapital);
        if (!record_.figureFound[assets] || !record_.figureFound[liabilities] ||
            !record_.figureFound[capital]) {
            return;
        }
        // Each figure lies within 10^18 ten-thousandths: the sum fits.
        const std::int64_t other = record_.figures[liabilities] + record_.figures[capital];
        if (record_.figures[assets] == other) return;
        DetailFinding& finding = Add(Kind::kAssetsUnbalanced, Level::kCheck, nullptr);
        finding.value = record_.figures[assets];
        finding.other = other;
    }

    void CheckEntriesWithoutItem(const std::set<int>& catalogued) {
        std::map<int, std::vector<DetailAccount>> orphans;
        for (const MappingEntry& entry : mapping_) {
            if (catalogued.count(entry.itemNo) != 0) continue;
            DetailAccount account;
            if (NamesAccount(entry.accountId())) {
                account = known_.Account(entry.accountId());
            } else {
                account.accountId = entry.accountId();
            }
            orphans[entry.itemNo].push_back(std::move(account));
        }
        for (auto& [itemNo, accounts] : orphans) {
            DetailFinding& finding = Add(Kind::kNoSuchItem, Level::kCheck, nullptr);
            finding.items.push_back(itemNo);
            finding.accounts = std::move(accounts);
        }
    }

    // One account in two main items counts in both.
    void CheckSharedAccounts() {
        std::set<int> mainItems;
        for (const StatementItem& item : items_) {
            if (IsMainItemNo(item.itemNo)) mainItems.insert(item.itemNo);
        }
        std::vector<std::string> ids;
        std::unordered_map<std::string, std::set<int>> itemsOfId;
        for (const MappingEntry& entry : mapping_) {
            if (!NamesAccount(entry.accountId()) || mainItems.count(entry.itemNo) == 0) continue;
            std::set<int>& itemNos = itemsOfId[entry.accountId()];
            if (itemNos.empty()) ids.push_back(entry.accountId());
            itemNos.insert(entry.itemNo);
        }
        for (const std::string& id : ids) {
            const std::set<int>& itemNos = itemsOfId[id];
            if (itemNos.size() < 2) continue;
            DetailFinding& finding = Add(Kind::kSharedAccount, Level::kNote, nullptr);
            finding.items.assign(itemNos.begin(), itemNos.end());
            finding.accounts.push_back(known_.Account(id));
        }
    }

    const RecordAccounts& known_;
    const AggregationRecord& record_;
    const ItemCatalogue& items_;
    const MappingList& mapping_;
    const std::vector<std::vector<Source>>& sources_;
    std::vector<DetailFinding> findings_;
};

}  // namespace

std::vector<DetailFinding> CheckAggregation(
    const RecordAccounts& known, const AggregationRecord& record, const ItemCatalogue& items,
    const MappingList& mapping, const std::vector<std::vector<DetailSource>>& sources,
    const std::vector<DetailReconciliation>& reconciliations, const DetailRun& run) {
    return Checks(known, record, items, mapping, sources).Run(reconciliations, run);
}
