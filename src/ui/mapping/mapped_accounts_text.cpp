#include "ui/mapping/mapped_accounts_text.h"

#include <optional>
#include <string>
#include <vector>

#include "aggregate/class_figures.h"
#include "host/host_records.h"
#include "model/mapping_entry.h"
#include "model/mapping_list.h"

const char kNoMappedAccountsText[] = "集約されている科目はありません。";

static_assert(sizeof kNoMappedAccountsText - 1 <= kMappedAccountsTextBytes,
              "the empty text fits the tooltip");

namespace {

// The tooltip breaks its lines here.
const char kLineBreak[] = "\r\n";

std::int64_t WholeYen(std::int64_t count) {
    return count / ClAmount::kFractionUnits;
}

// The line of a keyword entry, or "" for a text that is no keyword.
std::string KeywordLine(const std::string& accountId, const TipAmounts& amounts) {
    for (const KeywordFigure& k : kKeywordFigures) {
        if (!SameAccountId(accountId, k.keyword)) continue;
        const auto figure = static_cast<std::size_t>(k.figure);
        return "会計アプリケーションの集計値「" + std::string(kFigureNames[figure]) + "」：" +
               YenText(WholeYen(amounts.figures[figure].ToCount()));
    }
    for (const KeywordRemainder& k : kKeywordRemainders) {
        if (!SameAccountId(accountId, k.keyword)) continue;
        const auto figure = static_cast<std::size_t>(k.figure);
        return "会計アプリケーションの集計値「" + std::string(kFigureNames[figure]) + "」（" +
               YenText(WholeYen(amounts.figures[figure].ToCount())) +
               "）から他の項目を差し引いた額";
    }
    return {};
}

}  // namespace

std::string DescribeMappedAccounts(const MappingList& currentMapping, int itemNo,
                                   const AccountDirectory& accounts) {
    static const std::string kSeparator = " / ";
    std::string text;
    for (const MappingEntry& entry : currentMapping) {
        if (entry.itemNo != itemNo) continue;
        AccountRecord account;
        if (accounts.FindById(entry.accountId(), &account) == -1) continue;
        const std::string name = account.Name();
        const std::size_t added = (text.empty() ? 0 : kSeparator.size()) + name.size();
        if (text.size() + added > kMappedAccountsTextBytes) break;
        if (!text.empty()) text += kSeparator;
        text += name;
    }
    if (text.empty()) text = kNoMappedAccountsText;
    return text;
}

std::unique_ptr<TipAmounts> PrepareTipAmounts(const AmountsOnScreen& shown,
                                              const MappingList& currentMapping,
                                              const ItemCatalogue& itemCatalogue) {
    if (shown.amounts == nullptr) return nullptr;
    auto amounts = std::make_unique<TipAmounts>();
    amounts->shown = shown;
    amounts->items = itemCatalogue;
    for (StatementItem& item : amounts->items)
        item.amounts.fill(0);
    if (!shown.amounts->FillItems(currentMapping, amounts->items, &amounts->figures)) {
        return nullptr;
    }
    return amounts;
}

std::string DescribeMappedAmounts(const MappingList& currentMapping, int itemNo,
                                  const AccountDirectory& accounts, const TipAmounts& amounts) {
    const StatementItem* item = amounts.items.FindItem(itemNo);
    const std::string total =
        TotalLine(item != nullptr ? ShownYen(itemNo, item->amounts) : 0, amounts.shown.period);
    std::vector<std::string> lines;
    std::size_t bytes = total.size();
    for (const MappingEntry& entry : currentMapping) {
        if (entry.itemNo != itemNo) continue;
        std::string line = KeywordLine(entry.accountId(), amounts);
        AccountRecord account;
        if (line.empty() && item != nullptr &&
            accounts.FindById(entry.accountId(), &account) != -1) {
            const std::optional<ItemAmounts> added =
                amounts.shown.amounts->Contribution(entry.accountId(), itemNo, item->side);
            line = AccountDirectory::TrimAccountName(account.Name()) + "：" +
                   (added ? YenText(ShownYen(itemNo, *added)) : kAmountsUnavailableText);
        }
        if (line.empty()) continue;
        if (bytes + line.size() + sizeof kLineBreak - 1 > kMappedAccountsTextBytes) break;
        bytes += line.size() + sizeof kLineBreak - 1;
        lines.push_back(std::move(line));
    }
    if (lines.empty()) lines.emplace_back(kNoMappedAccountsText);
    std::string text;
    for (const std::string& line : lines)
        text += line + kLineBreak;
    return text + total;
}
