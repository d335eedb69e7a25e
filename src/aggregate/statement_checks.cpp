#include "aggregate/statement_checks.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>

namespace {

using Kind = DetailFinding::Kind;
using Level = DetailFinding::Level;

// The monthly items and the main items their months must add up to. Sales
// must tie; purchases, outsourcing and personnel costs may differ for
// good reasons (what the cost of sales takes, the front's grouping).
struct MonthsRule {
    int monthlyItem;
    std::array<int, 3> mainItems;  // 0 ends the list
    bool mustTie;
};
constexpr MonthsRule kMonthsRules[] = {
    {36, {1, 0, 0}, true},    {37, {5, 6, 0}, false}, {38, {7, 0, 0}, false},
    {39, {8, 12, 13}, false}, {41, {2, 0, 0}, true},
};

// A total and the items that break it down: none of them may exceed it.
struct BreakdownRule {
    int total;
    int firstPart;
    int lastPart;
    int lessPart;  // a part that the total subtracts; 0 for none
};
constexpr BreakdownRule kBreakdownRules[] = {
    {1, 2, 2, 0},     // side-business sales within sales
    {3, 4, 9, 10},    // the cost of sales from opening to closing inventory
    {20, 21, 29, 0},  // assets
    {30, 31, 34, 0},  // liabilities
};

constexpr int kClosingInventoryItem = 10;
constexpr int kInventoryAssetsItem = 24;

// The first item of the number, as look-ups by number find it, when the
// statement shows it.
const StatementItem* ShownItem(const ItemCatalogue& items, int itemNo) {
    for (const StatementItem& item : items) {
        if (item.itemNo != itemNo) continue;
        if (item.IsUnusedSlot() || !item.HasXmlElement()) return nullptr;
        return &item;
    }
    return nullptr;
}

std::int64_t MonthsSum(const StatementItem& item) {
    std::int64_t sum = 0;
    for (std::size_t month = 1; month < kAmountSlots; ++month)
        sum = SaturatingSum(sum, item.amounts[month]);
    return sum;
}

DetailFinding Finding(Kind kind, Level level) {
    DetailFinding finding;
    finding.kind = kind;
    finding.level = level;
    return finding;
}

void CheckBreakdowns(const ItemCatalogue& items, std::vector<DetailFinding>& findings) {
    for (const BreakdownRule& rule : kBreakdownRules) {
        const StatementItem* total = ShownItem(items, rule.total);
        if (total == nullptr) continue;
        DetailFinding finding = Finding(Kind::kBreakdownOver, Level::kCheck);
        for (int no = rule.firstPart; no <= rule.lastPart; ++no) {
            if (const StatementItem* part = ShownItem(items, no)) {
                finding.items.push_back(no);
                finding.value = SaturatingSum(finding.value, part->amounts[0]);
            }
        }
        if (finding.items.empty()) continue;
        if (const StatementItem* less = ShownItem(items, rule.lessPart)) {
            finding.items.push_back(rule.lessPart);
            finding.value = SaturatingDifference(finding.value, less->amounts[0]);
        }
        finding.items.push_back(rule.total);
        finding.other = total->amounts[0];
        if (finding.value > finding.other) findings.push_back(std::move(finding));
    }
}

void CheckInventory(const ItemCatalogue& items, std::vector<DetailFinding>& findings) {
    const StatementItem* closing = ShownItem(items, kClosingInventoryItem);
    const StatementItem* assets = ShownItem(items, kInventoryAssetsItem);
    if (closing == nullptr || assets == nullptr || closing->amounts[0] == assets->amounts[0]) {
        return;
    }
    DetailFinding finding = Finding(Kind::kInventoryDiffers, Level::kNote);
    finding.items = {kClosingInventoryItem, kInventoryAssetsItem};
    finding.value = closing->amounts[0];
    finding.other = assets->amounts[0];
    findings.push_back(std::move(finding));
}

// A balance-sheet account gives a monthly item the changes of its balance,
// and its opening balance goes into the introduction month.
void CheckBalanceSheetAccounts(const ItemCatalogue& items,
                               const std::vector<std::vector<DetailSource>>& sources,
                               std::vector<DetailFinding>& findings) {
    std::size_t position = 0;
    std::set<int> seen;
    for (const StatementItem& item : items) {
        const std::size_t at = position++;
        if (!IsMonthlyItemNo(item.itemNo) || at >= sources.size()) continue;
        if (!seen.insert(item.itemNo).second) continue;
        std::set<std::string> named;
        for (const DetailSource& source : sources[at]) {
            if (source.kind != DetailSource::Kind::kAccount ||
                !IsBalanceSheetClass(source.account.classCode) ||
                !named.insert(source.accountId).second) {
                continue;
            }
            DetailFinding finding = Finding(Kind::kOpeningOnMonthly, Level::kCheck);
            finding.items = {item.itemNo};
            finding.accounts = {source.account};
            finding.value = source.opening;
            finding.month = source.openingMonth;
            findings.push_back(std::move(finding));
        }
    }
}

void CheckRun(const DetailRun& run, std::vector<DetailFinding>& findings) {
    if (!run.yearEndIncluded) {
        DetailFinding finding = Finding(Kind::kPartYear, Level::kCheck);
        finding.month = run.endPosition;
        findings.push_back(std::move(finding));
    }
    if (run.taxInclusive != run.companyTaxInclusive)
        findings.push_back(Finding(Kind::kTaxView, Level::kNote));
    if (run.introPosition > run.startPosition && run.introPosition <= run.endPosition) {
        DetailFinding finding = Finding(Kind::kIntroMonth, Level::kNote);
        finding.month = run.introPosition;
        findings.push_back(std::move(finding));
    }
}

}  // namespace

std::vector<DetailReconciliation> ReconcileMonths(const ItemCatalogue& items) {
    std::vector<DetailReconciliation> reconciliations;
    for (const StatementItem& item : items) {
        for (const MonthsRule& rule : kMonthsRules) {
            if (rule.monthlyItem != item.itemNo || ShownItem(items, item.itemNo) != &item) continue;
            DetailReconciliation reconciliation;
            reconciliation.monthlyItem = item.itemNo;
            reconciliation.mustTie = rule.mustTie;
            reconciliation.months = MonthsSum(item);
            for (const int no : rule.mainItems) {
                const StatementItem* main = no != 0 ? ShownItem(items, no) : nullptr;
                if (main == nullptr) continue;
                reconciliation.mainItems.push_back(no);
                reconciliation.main = SaturatingSum(reconciliation.main, main->amounts[0]);
            }
            if (!reconciliation.mainItems.empty())
                reconciliations.push_back(std::move(reconciliation));
        }
    }
    return reconciliations;
}

void CheckStatement(const ItemCatalogue& items,
                    const std::vector<std::vector<DetailSource>>& sources,
                    const std::vector<DetailReconciliation>& reconciliations, const DetailRun& run,
                    std::vector<DetailFinding>& findings) {
    CheckRun(run, findings);
    for (const DetailReconciliation& reconciliation : reconciliations) {
        if (reconciliation.months == reconciliation.main) continue;
        DetailFinding finding =
            Finding(Kind::kMonthsDiffer, reconciliation.mustTie ? Level::kCheck : Level::kNote);
        finding.items.push_back(reconciliation.monthlyItem);
        finding.items.insert(finding.items.end(), reconciliation.mainItems.begin(),
                             reconciliation.mainItems.end());
        finding.value = reconciliation.months;
        finding.other = reconciliation.main;
        findings.push_back(std::move(finding));
    }
    CheckBreakdowns(items, findings);
    CheckInventory(items, findings);
    CheckBalanceSheetAccounts(items, sources, findings);
}
