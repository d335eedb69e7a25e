#include "aggregate/sheet_amounts.h"

#include "aggregate/totals_filter.h"
#include "model/fiscal_months.h"

namespace {

constexpr int kMonthsInYear = 12;

}  // namespace

SheetAmounts::SheetAmounts(Host& host, const DatasetRecord& dataset, std::int16_t fiscalStart,
                           std::int16_t fiscalEnd)
    : host_(host), dataset_(dataset), fiscalStart_(fiscalStart), fiscalEnd_(fiscalEnd) {}

const PeriodAmounts* SheetAmounts::For(const AggregationConditions& conditions) {
    if (kept_.Read(host_, dataset_.DatasetId()) != KeptTotals::State::kRead) {
        status_ = Status::kNotRead;
        return nullptr;
    }
    const std::int16_t startMonth = conditions.startMonth;
    const std::int16_t endMonth = conditions.endMonth;
    const bool taxInclusive = conditions.taxInclusive != 0;
    if (IsWrongPeriod(fiscalStart_, fiscalEnd_, startMonth, endMonth) ||
        EndsBeforeIntroduction(fiscalStart_, fiscalEnd_, startMonth, endMonth,
                               conditions.introMonth)) {
        status_ = Status::kWrongPeriod;
        return nullptr;
    }
    if (!amounts_ || startMonth != startMonth_ || endMonth != endMonth_ ||
        taxInclusive != taxInclusive_) {
        const AccountFilter filter =
            TotalsFilterOfMonths(dataset_, fiscalStart_, fiscalEnd_, startMonth, endMonth);
        const TotalsMonthSpan span = ReadTotalsMonthSpan(filter);
        const AggregationPeriod period = AggregationPeriod::Of(taxInclusive, span, dataset_);
        amounts_.reset();
        if (!period.WithinYear()) {
            status_ = Status::kWrongPeriod;
            return nullptr;
        }
        amounts_ = std::make_unique<PeriodAmounts>(kept_, period);
        startMonth_ = startMonth;
        endMonth_ = endMonth;
        taxInclusive_ = taxInclusive;
        period_.firstMonth = startMonth;
        period_.firstYear = FirstMonthYear(dataset_.PeriodStart(), startMonth);
        period_.lastMonth = endMonth;
        period_.lastYear = period_.firstYear +
                           (startMonth - 1 + span.endPosition - span.startPosition) / kMonthsInYear;
        period_.taxInclusive = taxInclusive;
    }
    if (!amounts_->ok()) {
        status_ = Status::kOutOfRange;
        return nullptr;
    }
    status_ = Status::kShown;
    return amounts_.get();
}
