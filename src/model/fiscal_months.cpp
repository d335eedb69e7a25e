#include "model/fiscal_months.h"

#include <memory>
#include <new>

#include "host/fiscal_calendar.h"

void FiscalMonthRange(std::int32_t periodStart, std::int32_t periodEnd, std::int16_t* fiscalStart,
                      std::int16_t* fiscalEnd) {
    std::int32_t start = periodStart % 10000 / 100;
    std::int32_t end = periodEnd % 10000 / 100;
    std::unique_ptr<ClFiscalCalendar> calendar(new (std::nothrow) ClFiscalCalendar);
    if (!calendar) return;
    std::int32_t cutoffDay = 0;
    calendar->DefinePeriod(periodStart, periodEnd);
    calendar->CutoffDayFromEndDate(periodEnd, 0, &cutoffDay);
    calendar->SetCutoffDay(cutoffDay);
    calendar->MonthIndexOfDate(periodStart, &start, 0);
    calendar.reset();
    if (end < start) end += 100;
    if (fiscalStart != nullptr) *fiscalStart = static_cast<std::int16_t>(start);
    if (fiscalEnd != nullptr) *fiscalEnd = static_cast<std::int16_t>(end);
}

void MonthPositions(std::int16_t fiscalStart, std::int16_t fiscalEnd, std::int16_t startMonth,
                    std::int16_t endMonth, std::int16_t* startPosition, std::int16_t* endPosition) {
    if (startPosition == nullptr || endPosition == nullptr) return;
    const int last = fiscalEnd % 100;
    const bool crossing = fiscalEnd / 100 != 0;
    int start = 1;
    if (startMonth > fiscalStart) start = startMonth - fiscalStart + 1;
    if (startMonth < fiscalStart) start = startMonth - fiscalStart + 13;
    int end = 0;
    if (endMonth == last) {
        end = crossing ? last - fiscalStart + 13 : last - fiscalStart + 1;
    } else if (endMonth < last && crossing) {
        end = endMonth - fiscalStart + 13;
    } else {
        end = endMonth - fiscalStart + 1;
    }
    *startPosition = static_cast<std::int16_t>(start);
    *endPosition = static_cast<std::int16_t>(end);
}
