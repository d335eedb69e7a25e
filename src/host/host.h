// The host as the program's logic sees it: the link, the open dataset, the
// user's selection, the tax default, the folders, the fiscal calendar, the
// account table and the totals query. HostCalls (host_calls.h) answers it
// through the host's libraries; tests give a small fake, so that only the
// tests of the host calls themselves need the stand-in.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "host/account_filter.h"
#include "host/host_records.h"
#include "host/host_types.h"

// The current user and the two numbers the host keeps for the user's open
// dataset; the second is that dataset's number.
struct UserSelection {
    std::string userId;  // at most 64 bytes
    std::int32_t first = 0;
    std::int32_t second = 0;
};

// One run of the totals query, set up for the open dataset. The calls
// return what the host's query returns: 0 for success, kHostNoMoreRows
// after the last row.
class TotalsQuery {
  public:
    virtual ~TotalsQuery() = default;
    // The id of the dataset the query was bound to: the one open in the
    // host when it was set up.
    virtual std::string DatasetId() const = 0;
    virtual void Begin(const AccountFilter& filter) = 0;
    virtual std::int32_t GetRowCount(std::int32_t* count) = 0;
    virtual std::int32_t SeekRow(std::int32_t row) = 0;
    // Zeroes the record before the host fills it.
    virtual std::int32_t NextRow(AccountTotalsRecord* record) = 0;
    virtual void End() = 0;
};

class Host {
  public:
    virtual ~Host() = default;

    // ---- The link ----
    // Sets the title of the host's messages and the kind of client, then
    // connects: 0 when linked.
    virtual std::int32_t Connect(const char* messageTitle) = 0;
    virtual void SetOwnerWindow(HostWindow owner) = 0;
    // 0 when joined.
    virtual std::int32_t JoinSession() = 0;
    // A message box of the host's ("ES_APRPACKAGENAME" becomes the
    // installed package's name).
    virtual void ShowMessage(HostWindow owner, const std::string& text, const char* title,
                             std::uint32_t style) = 0;
    // Signs out, disconnects and releases the link, in this order.
    virtual void Close() = 0;

    // ---- The data ----
    virtual UserSelection CurrentUser() = 0;
    // The dataset numbered `datasetNo`, found by a walk of the datasets;
    // false (and `record` zeroed) when there is none.
    virtual bool FindDataset(std::int32_t datasetNo, DatasetRecord& record) = 0;
    // Whether the open dataset's tax settings make tax-inclusive totals the
    // default; false when they cannot be read.
    virtual bool TaxInclusiveDefault() = 0;
    // The folder of `kind`, ending with a backslash, or "" when there is none.
    virtual std::string FolderPath(FolderKind kind) = 0;
    // Gives the folder service back once nothing asks for folders any more.
    virtual void ReleaseFolders() = 0;
    // The calendar month of the accounting month that holds `periodStart`,
    // by the dataset's fiscal calendar; false when no calendar is available.
    virtual bool AccountingMonthOfFirstDay(std::int32_t periodStart, std::int32_t periodEnd,
                                           std::int16_t& month) = 0;
    // One walk of the account table on a cursor of its own: every record
    // (no filter) or the records the filter selects, in the table's order,
    // until `visit` returns false.
    using AccountVisitor = std::function<bool(const AccountRecord&)>;
    virtual void WalkAccounts(const AccountFilter* filter, const AccountVisitor& visit) = 0;
    // A totals query set up for the open dataset; null when none can be made.
    virtual std::unique_ptr<TotalsQuery> OpenTotalsQuery() = 0;
};
