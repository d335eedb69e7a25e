#include "aggregate/kept_totals.h"

#include <algorithm>
#include <exception>
#include <memory>

#include "aggregate/totals_filter.h"

namespace {

// More rows than any chart holds is a count not to reserve memory for.
constexpr std::int32_t kReservedRowsAtMost = 200000;

}  // namespace

KeptTotals::State KeptTotals::Read(Host& host, const std::string& datasetId) {
    if (state_ != State::kNotRead) return state_;
    try {
        state_ = ReadRows(host, datasetId) ? State::kRead : State::kFailed;
    } catch (const std::exception&) {
        state_ = State::kFailed;
    }
    if (state_ == State::kFailed) {
        rows_ = {};
        byId_ = {};
    }
    return state_;
}

bool KeptTotals::ReadRows(Host& host, const std::string& datasetId) {
    const std::unique_ptr<TotalsQuery> query = host.OpenTotalsQuery();
    // Another company's amounts must not appear on this company's sheet.
    if (!query || query->DatasetId() != datasetId) return false;
    query->Begin(WholeYearTotalsFilter());
    std::int32_t count = 0;
    bool read = query->GetRowCount(&count) == kHostOk && query->SeekRow(0) == kHostOk;
    if (read) {
        rows_.reserve(static_cast<std::size_t>(std::clamp(count, 0, kReservedRowsAtMost)));
        AccountTotalsRecord record;
        std::int32_t result = kHostOk;
        for (std::int32_t i = 0; i < count; ++i) {
            result = query->NextRow(&record);
            if (result != kHostOk) break;
            rows_.push_back(TotalsRow::Of(record));
        }
        read = result == kHostOk || result == kHostNoMoreRows;
    }
    // A query once begun is ended, whatever it gave.
    query->End();
    if (!read) return false;
    rows_.shrink_to_fit();
    byId_.resize(rows_.size());
    for (std::uint32_t i = 0; i < byId_.size(); ++i)
        byId_[i] = i;
    std::stable_sort(byId_.begin(), byId_.end(), [this](std::uint32_t a, std::uint32_t b) {
        return rows_[a].id < rows_[b].id;
    });
    return true;
}

std::pair<const std::uint32_t*, const std::uint32_t*> KeptTotals::RowsOf(
    const AccountIdBytes& id) const {
    // Row positions against an id, either way round.
    struct ById {
        const std::vector<TotalsRow>& rows;
        bool operator()(std::uint32_t row, const AccountIdBytes& key) const {
            return rows[row].id < key;
        }
        bool operator()(const AccountIdBytes& key, std::uint32_t row) const {
            return key < rows[row].id;
        }
    };
    const auto range = std::equal_range(byId_.begin(), byId_.end(), id, ById{rows_});
    const std::uint32_t* first = byId_.data() + (range.first - byId_.begin());
    return {first, first + (range.second - range.first)};
}

std::size_t KeptTotals::KeptBytes() const {
    return rows_.capacity() * sizeof(TotalsRow) + byId_.capacity() * sizeof(std::uint32_t);
}
