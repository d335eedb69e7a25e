#include "aggregate/period_amounts.h"

#include "aggregate/amount.h"
#include "model/progress_sink.h"
#include "model/statement_item.h"

namespace {

constexpr std::int64_t kUnitsPerYen = ClAmount::kFractionUnits;

// The walk over kept rows reports to nobody.
class NoProgress final : public ProgressSink {
  public:
    void StepRange(int, int) override {}
    void Tick() override {}
};

}  // namespace

std::int64_t ShownYen(int itemNo, const ItemAmounts& amounts) {
    if (!IsMonthlyItemNo(itemNo)) return amounts[0] / kUnitsPerYen;
    std::int64_t yen = 0;
    for (std::size_t month = 1; month < amounts.size(); ++month)
        yen += amounts[month] / kUnitsPerYen;
    return yen;
}

PeriodAmounts::PeriodAmounts(const KeptTotals& kept, const AggregationPeriod& period)
    : kept_(kept), period_(period) {
    NoProgress progress;
    balances_.reserve(kept.rows().size());
    try {
        for (const TotalsRow& row : kept.rows())
            balances_.push_back(AccountBalance(row, period_, progress).ToCount());
    } catch (const AmountOutOfRange&) {
        ok_ = false;
        balances_.clear();
    }
}

std::optional<ItemAmounts> PeriodAmounts::Contribution(const std::string& accountId, int itemNo,
                                                       int itemSide) const {
    ItemAmounts amounts{};
    AccountIdBytes id;
    if (!ok_) return std::nullopt;
    if (!ParseAccountIdText(accountId, id)) return amounts;
    try {
        const auto [first, last] = kept_.RowsOf(id);
        for (const std::uint32_t* at = first; at != last; ++at) {
            const TotalsRow& row = kept_.rows()[*at];
            if (row.unmapped != 0) continue;
            AddRowToItem(row, ClAmount::FromCount(balances_[*at]), period_, itemNo, itemSide,
                         amounts, [](std::size_t, const ClAmount&, bool, bool) {});
        }
    } catch (const AmountOutOfRange&) {
        return std::nullopt;
    }
    return amounts;
}

bool PeriodAmounts::FillItems(const MappingList& mapping, ItemCatalogue& items,
                              TotalsWalk::Figures* figures) const {
    if (!ok_) return false;
    NoProgress progress;
    TotalsWalk walk(progress, mapping, items);
    walk.Begin(period_);
    try {
        for (const TotalsRow& row : kept_.rows())
            walk.TreatRow(row);
        walk.ApplyKeywords();
    } catch (const AmountOutOfRange&) {
        return false;
    }
    if (figures != nullptr) *figures = walk.figures();
    return true;
}
