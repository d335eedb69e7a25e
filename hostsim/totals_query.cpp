#include "host/totals_query.h"

#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <chrono>
#include <thread>
#endif

#include "hostsim/filter_eval.h"
#include "hostsim/host_session.h"

using hostsim::Session;

struct TotalsQueryState {
    bool begun = false;
    std::size_t position = 0;
    std::int32_t nextRowCalls = 0;
    // 1 for the first query the process began.
    std::int32_t ordinal = 0;
};

namespace {
constexpr std::int32_t kFailed = 1;

// A host that takes its time over each row, as one whose data lies on a
// server does.
void WaitAsASlowHost(std::int32_t milliseconds) {
    if (milliseconds <= 0) return;
#ifdef _WIN32
    Sleep(static_cast<DWORD>(milliseconds));
#else
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
#endif
}
}  // namespace

ClQueryBase::~ClQueryBase() = default;

void ClQueryBase::AttachTableSet(ClTableSet* /*tableSet*/) {
    Session().journal.Write("AttachTableSet");
}

void ClQueryBase::SetDatasetId(const char* /*datasetId*/) {
    Session().journal.Write("SetDatasetId");
}

void ClQueryBase::AttachOptions(ClOptionSet* /*options*/) {
    Session().journal.Write("AttachOptions");
}

ClAccountTotalsQuery::ClAccountTotalsQuery() : state_(new TotalsQueryState) {
    // Another company opened in the host meanwhile.
    const hostsim::HostResults& results = Session().state.results;
    if (results.switchDatasetAtTotals)
        Session().state.selectionSecond = *results.switchDatasetAtTotals;
}

ClAccountTotalsQuery::~ClAccountTotalsQuery() {
    delete state_;
}

std::int32_t ClAccountTotalsQuery::BeginTotals(
    TotalsBasis basis, TotalsDepartmentMode departmentMode, TotalsDisplayKind displayKind,
    const AccountFilter* filter, const DepartmentRecord* /*department*/, TotalsPastMode pastMode) {
    // The filter, decoded after the numbers, so that tests at the host
    // boundary see which months the program asked for; the slots delivered
    // do not depend on it.
    Session().journal.Write("BeginTotals", {basis, departmentMode, displayKind, pastMode},
                            filter != nullptr ? hostsim::DescribeFilter(*filter) : "");
    *state_ = TotalsQueryState{};
    state_->begun = true;
    state_->ordinal = ++Session().totalsQueriesBegun;
    return kHostOk;
}

std::int32_t ClAccountTotalsQuery::GetRowCount(std::int32_t* count) {
    Session().journal.Write("GetRowCount");
    const hostsim::HostResults& results = Session().state.results;
    const bool first = state_->ordinal == 1 && results.firstQueryGetRowCount != kHostOk;
    const std::int32_t result = first ? results.firstQueryGetRowCount : results.getRowCount;
    if (result != kHostOk) return result;
    if (count == nullptr) return kFailed;
    const hostsim::DatasetEntry* dataset = Session().OpenDataset();
    *count = dataset != nullptr ? static_cast<std::int32_t>(dataset->totals.size()) : 0;
    return kHostOk;
}

std::int32_t ClAccountTotalsQuery::SeekRow(std::int32_t row) {
    Session().journal.Write("SeekRow", {row});
    const std::int32_t result = Session().state.results.seekRow;
    if (result != kHostOk) return result;
    if (row < 0) return kFailed;
    state_->position = static_cast<std::size_t>(row);
    return kHostOk;
}

std::int32_t ClAccountTotalsQuery::NextRow(AccountTotalsRecord* record) {
    Session().journal.Write("NextRow");
    const hostsim::HostResults& results = Session().state.results;
    if (state_->nextRowCalls == results.nextRowCrashAt) hostsim::CrashAsAFaultyLibrary();
    WaitAsASlowHost(results.nextRowDelayMs);
    if (state_->nextRowCalls++ == results.nextRowFailAt) return results.nextRowFailCode;
    if (record == nullptr) return kFailed;
    const hostsim::DatasetEntry* dataset = Session().OpenDataset();
    if (!state_->begun || dataset == nullptr || state_->position >= dataset->totals.size()) {
        return kHostNoMoreRows;
    }
    *record = dataset->totals[state_->position++];
    return kHostOk;
}

std::int32_t ClAccountTotalsQuery::EndTotals() {
    Session().journal.Write("EndTotals");
    state_->begun = false;
    return kHostOk;
}
