#include "aggregate/totals_filter.h"

#include "model/fiscal_months.h"

namespace {

void SetMonthCondition(FilterCondition& condition, std::int16_t op, std::int16_t value) {
    condition.Set(kFieldAccountingMonth, op, kValueInt16, value, kLinkNone);
}

}  // namespace

AccountFilter PrepareTotalsFilter(Host& host, const DatasetRecord& dataset, std::int16_t startMonth,
                                  std::int16_t endMonth) {
    std::int16_t fiscalStart = 0;
    std::int16_t fiscalEnd = 0;
    FiscalMonthRange(host, dataset.PeriodStart(), dataset.PeriodEnd(), &fiscalStart, &fiscalEnd);
    return TotalsFilterOfMonths(dataset, fiscalStart, fiscalEnd, startMonth, endMonth);
}

AccountFilter TotalsFilterOfMonths(const DatasetRecord& dataset, std::int16_t fiscalStart,
                                   std::int16_t fiscalEnd, std::int16_t startMonth,
                                   std::int16_t endMonth) {
    std::int16_t start = 0;
    std::int16_t end = 0;
    MonthPositions(fiscalStart, fiscalEnd, startMonth, endMonth, &start, &end);

    AccountFilter filter;
    filter.Clear();
    std::size_t last = 0;
    SetMonthCondition(filter.Condition(0), kOperatorAtLeast, start);
    filter.Condition(0).SetLink(kLinkAnd);
    SetMonthCondition(filter.Condition(++last), kOperatorAtMost, end);
    if (dataset.InterimSettlement() == 1 && end == kInterimEndPosition) {
        filter.Condition(last).SetLink(kLinkOr);
        SetMonthCondition(filter.Condition(++last), kOperatorEqual, kInterimAdjustmentMonth);
    }
    if (endMonth == fiscalEnd % 100) {
        filter.Condition(last).SetLink(kLinkOr);
        SetMonthCondition(filter.Condition(++last), kOperatorEqual, kYearEndAdjustmentMonth);
    }
    return filter;
}

AccountFilter WholeYearTotalsFilter() {
    constexpr std::int16_t kFirstPosition = 1;
    constexpr std::int16_t kLastPosition = 12;
    AccountFilter filter;
    filter.Clear();
    SetMonthCondition(filter.Condition(0), kOperatorAtLeast, kFirstPosition);
    filter.Condition(0).SetLink(kLinkAnd);
    SetMonthCondition(filter.Condition(1), kOperatorAtMost, kLastPosition);
    filter.Condition(1).SetLink(kLinkOr);
    SetMonthCondition(filter.Condition(2), kOperatorEqual, kInterimAdjustmentMonth);
    filter.Condition(2).SetLink(kLinkOr);
    SetMonthCondition(filter.Condition(3), kOperatorEqual, kYearEndAdjustmentMonth);
    return filter;
}

TotalsMonthSpan ReadTotalsMonthSpan(const AccountFilter& filter) {
    TotalsMonthSpan span;
    span.startPosition = static_cast<std::int16_t>(filter.Condition(0).Value());
    span.endPosition = static_cast<std::int16_t>(filter.Condition(1).Value());
    // The year-end period follows the interim one when both are asked for
    // (a fiscal year of six months): looking at the third condition alone
    // would drop its amounts.
    const std::size_t count = filter.ConditionCount();
    for (std::size_t i = 2; i < count && i < kTotalsFilterConditions; ++i) {
        if (filter.Condition(i - 1).Link() != kLinkNone &&
            filter.Condition(i).Value() == kYearEndAdjustmentMonth) {
            span.yearEndIncluded = true;
        }
    }
    return span;
}
