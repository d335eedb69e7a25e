#include "aggregate/record_accounts.h"

#include <cstdint>

#include "host/host_records.h"
#include "model/account_id_text.h"

RecordAccounts::RecordAccounts(const AggregationRecord& record, const AccountDirectory& accounts)
    : record_(record), accounts_(accounts) {
    for (std::size_t i = 0; i < record.rows.size(); ++i)
        rowsOfId_[record.rows[i].id].push_back(i);
}

const RecordAccounts::Chart& RecordAccounts::ChartOf(const std::string& accountId) const {
    const auto cached = charts_.find(accountId);
    if (cached != charts_.end()) return cached->second;
    Chart chart;
    AccountRecord record;
    if (accounts_.FindById(accountId, &record) != -1) {
        chart.code = record.Code();
        chart.name = AccountDirectory::TrimAccountName(record.Name());
        chart.listed = AccountDirectory::IsListedAccount(record);
    }
    return charts_.emplace(accountId, std::move(chart)).first->second;
}

const std::vector<std::size_t>& RecordAccounts::RowsOf(const std::string& accountId) const {
    static const std::vector<std::size_t> kNone;
    AccountIdBytes id;
    if (!ParseAccountIdText(accountId, id)) return kNone;
    const auto found = rowsOfId_.find(id);
    return found != rowsOfId_.end() ? found->second : kNone;
}

DetailAccount RecordAccounts::Account(const std::string& accountId) const {
    const Chart& chart = ChartOf(accountId);
    DetailAccount account;
    account.accountId = accountId;
    account.code = chart.code;
    account.name = chart.name;
    const std::vector<std::size_t>& rows = RowsOf(accountId);
    if (!rows.empty()) {
        account.classCode = record_.rows[rows.front()].classCode;
        account.side = record_.rows[rows.front()].side;
    }
    for (const std::size_t row : rows) {
        if (!record_.rows[row].unmapped)
            // Only an id with several rows sums; such a sum is shown, never
            // written.
            account.balance = SaturatingSum(account.balance, record_.rows[row].balance);
    }
    return account;
}

DetailAccount RecordAccounts::AccountOfRow(std::size_t row) const {
    const RowRecord& read = record_.rows[row];
    DetailAccount account;
    account.accountId = FormatAccountIdText(read.id.data());
    const Chart& chart = ChartOf(account.accountId);
    account.code = chart.code;
    account.name = chart.name;
    account.classCode = read.classCode;
    account.side = read.side;
    account.balance = read.balance;
    return account;
}

bool RecordAccounts::IsListed(const std::string& accountId) const {
    return ChartOf(accountId).listed;
}
