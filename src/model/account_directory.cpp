#include "model/account_directory.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <unordered_map>
#include <vector>

#include "model/account_filters.h"
#include "model/account_id_text.h"
#include "model/mapping_entry.h"
#include "model/record_text.h"
#include "model/shift_jis_text.h"

namespace {

bool IsMainAccountCode(std::int32_t code) {
    return code != 0 && code % AccountDirectory::kSubAccountRange == 0;
}

// The accounts FindById may find: a positive main account code whose flag
// byte 110 is not exactly 1 (flag byte 112 is not looked at).
bool IsFoundById(const AccountRecord& record) {
    return record.Code() > 0 && IsMainAccountCode(record.Code()) && record.Flag110() != 1;
}

static_assert(2 + 2 * AccountRecord::kIdWidth == kAccountIdBytes,
              "an id text fills a mapping entry's account id exactly");

// The part of an id that SameAccountId compares: up to the first NUL, at
// most the whole field. Two ids are the same exactly when these are equal.
std::string ComparedIdText(const std::string& accountId) {
    const std::size_t end = std::min(accountId.find('\0'), kAccountIdCompareBytes);
    return accountId.substr(0, end);
}

}  // namespace

// The whole account table in its order, with the first answer of each
// look-up by id and by code.
struct AccountDirectory::Table {
    std::vector<AccountRecord> records;
    std::unordered_map<std::string, std::size_t> byId;
    std::unordered_map<std::int32_t, std::size_t> byCode;
};

std::int32_t AccountDirectory::FullAccountCode(std::int32_t code) {
    constexpr std::int32_t kLowestDisplayedCode =
        std::numeric_limits<std::int32_t>::min() / kSubAccountRange;
    if (code < kSubAccountRange && code >= kLowestDisplayedCode) return code * kSubAccountRange;
    return code;
}

bool AccountDirectory::IsListedAccount(const AccountRecord& record) {
    return IsMainAccountCode(record.Code()) && record.Flag110() == 0 && record.Flag112() == 0;
}

AccountIdText AccountDirectory::FormatAccountId(const std::uint8_t* idBytes) {
    return FormatAccountIdText(idBytes);
}

std::string AccountDirectory::TrimAccountName(const std::string& name) {
    const std::string text = BoundedRecordText(name, kDisplayedNameBytes);
    // Character by character, so that a second byte 0x40 is never taken
    // for a blank.
    std::size_t end = 0;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t width = CharacterWidthAt(text, i);
        const bool blank = width == 2 ? text.compare(i, 2, "\x81\x40") == 0 : text[i] == ' ';
        i += width;
        if (!blank) end = i;
    }
    return text.substr(0, end);
}

const AccountDirectory::Table& AccountDirectory::TableCopy() const {
    if (table_ != nullptr) return *table_;
    auto table = std::make_shared<Table>();
    host_.WalkAccounts(nullptr, [&table](const AccountRecord& record) {
        const std::size_t index = table->records.size();
        table->records.push_back(record);
        // The first record in table order wins, as in a walk.
        if (IsFoundById(record)) table->byId.emplace(FormatAccountId(record), index);
        if (IsListedAccount(record)) table->byCode.emplace(record.Code(), index);
        return true;
    });
    table_ = std::move(table);
    return *table_;
}

bool AccountDirectory::FindByCode(std::int32_t code, AccountRecord* record) const {
    // Sub-accounts and accounts a listing never shows are not found either,
    // or they could be mapped.
    const std::int32_t fullCode = FullAccountCode(code);
    if (!IsMainAccountCode(fullCode)) return false;
    const Table& table = TableCopy();
    const auto found = table.byCode.find(fullCode);
    if (found == table.byCode.end()) return false;
    if (record != nullptr) *record = table.records[found->second];
    return true;
}

std::int32_t AccountDirectory::FindById(const std::string& accountId, AccountRecord* record) const {
    const Table& table = TableCopy();
    const auto found = table.byId.find(ComparedIdText(accountId));
    if (found == table.byId.end()) return -1;
    const AccountRecord& account = table.records[found->second];
    if (record != nullptr) *record = account;
    return account.Code();
}

std::vector<AccountRecord> AccountDirectory::ListAccounts(
    const std::array<std::uint32_t, kClassCodeSlots>* classes) const {
    const AccountFilter filter =
        classes != nullptr ? ClassAccountFilter(*classes) : AllAccountsFilter();
    std::vector<AccountRecord> accounts;
    host_.WalkAccounts(&filter, [&accounts](const AccountRecord& record) {
        if (IsListedAccount(record)) accounts.push_back(record);
        return true;
    });
    return accounts;
}

std::vector<AccountRecord> AccountDirectory::AllListedAccounts() const {
    std::vector<AccountRecord> accounts;
    for (const AccountRecord& record : TableCopy().records) {
        if (IsListedAccount(record)) accounts.push_back(record);
    }
    return accounts;
}

std::string AccountDirectory::AccountIdOfCode(std::int32_t code) {
    AccountRecord record;
    return FindByCode(code, &record) ? FormatAccountId(record) : std::string();
}
