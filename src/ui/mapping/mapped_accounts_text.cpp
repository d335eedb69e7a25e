#include "ui/mapping/mapped_accounts_text.h"

#include <string>

#include "host/host_records.h"
#include "model/mapping_entry.h"
#include "model/mapping_list.h"

const char kNoMappedAccountsText[] = "集約されている科目はありません。";

static_assert(sizeof kNoMappedAccountsText - 1 <= kMappedAccountsTextBytes,
              "the empty text fits the tooltip");

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
