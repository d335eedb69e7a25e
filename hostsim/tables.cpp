#include "host/tables.h"

#include "hostsim/filter_eval.h"
#include "hostsim/host_session.h"
#include "hostsim/table_registry.h"

using hostsim::Session;
using Kind = HostCursorState::Kind;

namespace {
constexpr std::int32_t kFailed = 1;
}

ClTableBase::~ClTableBase() = default;

void ClTableBase::AttachTableSet(ClTableSet* /*tableSet*/) {
    Session().journal.Write("AttachTableSet");
}

void ClTableBase::SetDatasetId(const char* /*datasetId*/) {
    Session().journal.Write("SetDatasetId");
}

std::int32_t ClDatasetTable::OpenDatasetCursor(HostCursor* cursor) {
    Session().journal.Write("OpenDatasetCursor");
    if (cursor == nullptr) return kFailed;
    *cursor = Session().OpenCursor(Kind::kDatasets);
    return kHostOk;
}

std::int32_t ClDatasetTable::PrepareDatasetCursor(HostCursor cursor, std::int32_t mode) {
    Session().journal.Write("PrepareDatasetCursor", {mode});
    HostCursorState* state = Session().FindCursor(cursor, Kind::kDatasets);
    if (state == nullptr) return kFailed;
    state->position = 0;
    return kHostOk;
}

std::int32_t ClDatasetTable::NextDataset(DatasetRecord* record, HostCursor cursor) {
    Session().journal.Write("NextDataset");
    HostCursorState* state = Session().FindCursor(cursor, Kind::kDatasets);
    if (state == nullptr || record == nullptr) return kFailed;
    const auto& datasets = Session().state.datasets;
    if (!Session().loaded || state->position >= datasets.size()) return kHostNoMoreRows;
    *record = datasets[state->position++].record;
    return kHostOk;
}

std::int32_t ClDatasetTable::CloseDatasetCursor(HostCursor cursor) {
    Session().journal.Write("CloseDatasetCursor");
    return Session().CloseCursor(cursor) ? kHostOk : kFailed;
}

std::int32_t ClDatasetTable::GetSelectedDataset(DatasetRecord* record) {
    Session().journal.Write("GetSelectedDataset");
    const hostsim::DatasetEntry* dataset = Session().OpenDataset();
    if (record == nullptr || dataset == nullptr) return kFailed;
    *record = dataset->record;
    return kHostOk;
}

namespace {

const std::vector<hostsim::AccountEntry>* OpenAccounts() {
    const hostsim::DatasetEntry* dataset = Session().OpenDataset();
    return dataset != nullptr ? &dataset->accounts : nullptr;
}

}  // namespace

std::int32_t ClAccountTable::OpenCursor(HostCursor* cursor) {
    Session().journal.Write("OpenCursor");
    if (cursor == nullptr) return kFailed;
    *cursor = Session().OpenCursor(Kind::kAccounts);
    return kHostOk;
}

std::int32_t ClAccountTable::PrepareCursor(HostCursor cursor) {
    Session().journal.Write("PrepareCursor");
    HostCursorState* state = Session().FindCursor(cursor, Kind::kAccounts);
    if (state == nullptr) return kFailed;
    state->position = 0;
    return kHostOk;
}

std::int32_t ClAccountTable::NextRecord(AccountRecord* record, HostCursor cursor) {
    Session().journal.Write("NextRecord");
    HostCursorState* state = Session().FindCursor(cursor, Kind::kAccounts);
    if (state == nullptr || record == nullptr) return kFailed;
    const auto* accounts = OpenAccounts();
    if (accounts == nullptr || state->position >= accounts->size()) return kHostNoMoreRows;
    *record = (*accounts)[state->position++].record;
    return kHostOk;
}

std::int32_t ClAccountTable::NextMatch(const AccountFilter* filter, AccountRecord* record,
                                       HostCursor cursor) {
    Session().journal.Write("NextMatch");
    HostCursorState* state = Session().FindCursor(cursor, Kind::kAccounts);
    if (state == nullptr || record == nullptr || filter == nullptr) return kFailed;
    const auto* accounts = OpenAccounts();
    if (accounts == nullptr) return kHostNoMoreRows;
    while (state->position < accounts->size()) {
        const hostsim::AccountEntry& account = (*accounts)[state->position++];
        if (hostsim::MatchesFilter(*filter, account.record.Code(), account.classCode)) {
            *record = account.record;
            return kHostOk;
        }
    }
    return kHostNoMoreRows;
}

std::int32_t ClAccountTable::CloseCursor(HostCursor cursor) {
    Session().journal.Write("CloseCursor");
    return Session().CloseCursor(cursor) ? kHostOk : kFailed;
}

std::int32_t ClTaxSettingsTable::ReadSettings(TaxSettingsRecord* record) {
    Session().journal.Write("ReadSettings");
    const std::int32_t result = Session().state.results.readSettings;
    if (result != kHostOk) return result;
    if (record == nullptr) return kFailed;
    const hostsim::DatasetEntry* dataset = Session().OpenDataset();
    record->SetTaxInclusiveDefault(dataset != nullptr && dataset->taxInclusiveDefault ? 1 : 0);
    return kHostOk;
}

namespace hostsim {

ClTableBase* TableOfKind(std::int32_t kind) {
    static ClDatasetTable datasets;
    static ClAccountTable accounts;
    static ClTaxSettingsTable taxSettings;
    switch (kind) {
        case kTableDatasets:
            return &datasets;
        case kTableAccounts:
            return &accounts;
        case kTableTaxSettings:
            return &taxSettings;
        default:
            return nullptr;
    }
}

}  // namespace hostsim
