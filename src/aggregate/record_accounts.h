// The accounts that one run's record and the mapping name, looked up once:
// the chart's code and name of an id, its totals rows and what they gave.
#pragma once

#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

#include "aggregate/aggregation_record.h"
#include "model/account_directory.h"
#include "model/aggregation_detail.h"

class RecordAccounts {
  public:
    // Both must outlive this object.
    RecordAccounts(const AggregationRecord& record, const AccountDirectory& accounts);

    // The account `accountId` names: its code and name in the chart, and
    // class, side and balance from its rows (the rows the host lets be
    // mapped, summed).
    DetailAccount Account(const std::string& accountId) const;
    // The same for the account of one row, with that row's own balance.
    DetailAccount AccountOfRow(std::size_t row) const;
    // The rows whose id `accountId` is, in the order read; none for a text
    // that is no id.
    const std::vector<std::size_t>& RowsOf(const std::string& accountId) const;
    // A main account the account dialog lists, so a mapping can use it.
    bool IsListed(const std::string& accountId) const;

  private:
    struct Chart {
        std::int32_t code = 0;
        std::string name;
        bool listed = false;
    };
    const Chart& ChartOf(const std::string& accountId) const;

    const AggregationRecord& record_;
    const AccountDirectory& accounts_;
    std::unordered_map<AccountIdBytes, std::vector<std::size_t>, AccountIdBytesHash> rowsOfId_;
    mutable std::unordered_map<std::string, Chart> charts_;
};
