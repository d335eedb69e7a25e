#include "host/host_calls.h"

#include <memory>
#include <new>
#include <string>

#include "host/data_hub.h"
#include "host/fiscal_calendar.h"
#include "host/folder_service.h"
#include "host/host_link.h"
#include "host/tables.h"
#include "host/totals_query.h"

namespace {

constexpr std::size_t kUserIdBuffer = 65;

template <typename Table>
Table* TableOf(TableKind kind) {
    return static_cast<Table*>(ClDataHub::Instance()->GetTable(kind, 1));
}

// The id of the dataset open in the host, which tables and queries are bound to.
std::string SelectedDatasetId() {
    DatasetRecord selected;
    if (auto* datasets = TableOf<ClDatasetTable>(kTableDatasets)) {
        datasets->GetSelectedDataset(&selected);
    }
    return selected.DatasetId();
}

class HostTotalsQuery final : public TotalsQuery {
  public:
    HostTotalsQuery(std::unique_ptr<ClAccountTotalsQuery> query, std::string datasetId)
        : query_(std::move(query)), datasetId_(std::move(datasetId)) {}

    std::string DatasetId() const override { return datasetId_; }
    void Begin(const AccountFilter& filter) override {
        query_->BeginTotals(kTotalsBasisAccounts, kTotalsNoDepartments, kTotalsDisplayPlain,
                            &filter, nullptr, kTotalsCurrentYear);
    }
    std::int32_t GetRowCount(std::int32_t* count) override { return query_->GetRowCount(count); }
    std::int32_t SeekRow(std::int32_t row) override { return query_->SeekRow(row); }
    std::int32_t NextRow(AccountTotalsRecord* record) override {
        record->Clear();
        return query_->NextRow(record);
    }
    void End() override { query_->EndTotals(); }

  private:
    std::unique_ptr<ClAccountTotalsQuery> query_;
    std::string datasetId_;
};

// A walk over the account table on a cursor of its own, closed on every
// way out of the walk.
class AccountCursor {
  public:
    AccountCursor() : table_(TableOf<ClAccountTable>(kTableAccounts)) {
        if (table_ == nullptr) return;
        if (table_->OpenCursor(&cursor_) != kHostOk) {
            table_ = nullptr;
            return;
        }
        prepared_ = table_->PrepareCursor(cursor_) == kHostOk;
    }
    ~AccountCursor() {
        if (table_ != nullptr) table_->CloseCursor(cursor_);
    }
    AccountCursor(const AccountCursor&) = delete;
    AccountCursor& operator=(const AccountCursor&) = delete;

    // Each step zeroes the record first, as the host expects.
    bool Next(const AccountFilter* filter, AccountRecord* record) {
        if (table_ == nullptr || !prepared_) return false;
        record->Clear();
        const std::int32_t result = filter != nullptr ? table_->NextMatch(filter, record, cursor_)
                                                      : table_->NextRecord(record, cursor_);
        return result == kHostOk;
    }

  private:
    ClAccountTable* table_ = nullptr;
    HostCursor cursor_ = nullptr;
    bool prepared_ = false;
};

}  // namespace

std::int32_t HostCalls::Connect(const char* messageTitle) {
    ClHostLink* link = ClHostLink::Instance();
    link->SetMessageTitle(messageTitle);
    link->SetClientKind(kClientKindLinkageComponent);
    link->SetDataUsage(kDataUsageReadOnly);
    return link->Connect();
}

void HostCalls::SetOwnerWindow(HostWindow owner) {
    ClHostLink::Instance()->SetOwnerWindow(owner);
}

std::int32_t HostCalls::JoinSession() {
    return ClHostLink::Instance()->JoinHostSession();
}

void HostCalls::ShowMessage(HostWindow owner, const std::string& text, const char* title,
                            std::uint32_t style) {
    ClHostLink::Instance()->ShowMessage(owner, text.c_str(), title, style);
}

void HostCalls::Close() {
    ClHostLink* link = ClHostLink::Instance();
    link->SignOut();
    link->Disconnect();
    link->ReleaseInstance();
}

UserSelection HostCalls::CurrentUser() {
    ClUserDirectory* users = ClDataHub::Instance()->GetUserDirectory();
    char userId[kUserIdBuffer] = {};
    users->GetCurrentUserId(userId);
    userId[kUserIdBuffer - 1] = '\0';
    UserSelection selection;
    selection.userId = userId;
    users->GetSelection(userId, &selection.first, &selection.second);
    return selection;
}

bool HostCalls::FindDataset(std::int32_t datasetNo, DatasetRecord& record) {
    record.Clear();
    auto* datasets = TableOf<ClDatasetTable>(kTableDatasets);
    if (datasets == nullptr) return false;
    HostCursor cursor = nullptr;
    datasets->OpenDatasetCursor(&cursor);
    datasets->PrepareDatasetCursor(cursor, 0);
    DatasetRecord candidate;
    bool found = false;
    while (datasets->NextDataset(&candidate, cursor) == kHostOk) {
        if (candidate.DatasetNo() == datasetNo) {
            record = candidate;
            found = true;
            break;
        }
        candidate.Clear();
    }
    datasets->CloseDatasetCursor(cursor);
    return found;
}

bool HostCalls::TaxInclusiveDefault() {
    auto* datasets = TableOf<ClDatasetTable>(kTableDatasets);
    auto* tax = TableOf<ClTaxSettingsTable>(kTableTaxSettings);
    TaxSettingsRecord settings;
    if (datasets == nullptr || tax == nullptr) return false;
    tax->AttachTableSet(ClDataHub::Instance()->GetTableSet());
    DatasetRecord selected;
    datasets->GetSelectedDataset(&selected);
    tax->SetDatasetId(selected.DatasetId().c_str());
    // A failed read leaves the record zeroed: no tax-inclusive default.
    tax->ReadSettings(&settings);
    return settings.TaxInclusiveDefault();
}

std::string HostCalls::FolderPath(FolderKind kind) {
    const char* folder = ClFolderService::Instance()->GetFolderPath(kind);
    return folder != nullptr ? folder : "";
}

void HostCalls::ReleaseFolders() {
    ClFolderService::Instance()->ReleaseInstance();
}

bool HostCalls::AccountingMonthOfFirstDay(std::int32_t periodStart, std::int32_t periodEnd,
                                          std::int16_t& month) {
    std::unique_ptr<ClFiscalCalendar> calendar(new (std::nothrow) ClFiscalCalendar);
    if (!calendar) return false;
    std::int32_t cutoffDay = 0;
    std::int32_t index = periodStart % 10000 / 100;
    calendar->DefinePeriod(periodStart, periodEnd);
    calendar->CutoffDayFromEndDate(periodEnd, 0, &cutoffDay);
    calendar->SetCutoffDay(cutoffDay);
    calendar->MonthIndexOfDate(periodStart, &index, 0);
    month = static_cast<std::int16_t>(index);
    return true;
}

void HostCalls::WalkAccounts(const AccountFilter* filter, const AccountVisitor& visit) {
    AccountCursor cursor;
    AccountRecord record;
    while (cursor.Next(filter, &record)) {
        if (!visit(record)) return;
    }
}

std::unique_ptr<TotalsQuery> HostCalls::OpenTotalsQuery() {
    std::unique_ptr<ClAccountTotalsQuery> query(new (std::nothrow) ClAccountTotalsQuery);
    if (!query) return nullptr;
    ClDataHub* hub = ClDataHub::Instance();
    query->AttachTableSet(hub->GetTableSet());
    const std::string datasetId = SelectedDatasetId();
    query->SetDatasetId(datasetId.c_str());
    query->AttachOptions(ClLinkOptions::Instance()->GetOptions());
    return std::make_unique<HostTotalsQuery>(std::move(query), datasetId);
}
