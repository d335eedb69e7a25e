#include "model/fiscal_months.h"

#include "host/host.h"

void FiscalMonthRange(Host& host, std::int32_t periodStart, std::int32_t periodEnd,
                      std::int16_t* fiscalStart, std::int16_t* fiscalEnd) {
    std::int16_t start = 0;
    if (!host.AccountingMonthOfFirstDay(periodStart, periodEnd, start)) return;
    std::int32_t end = periodEnd % 10000 / 100;
    if (end < start) end += 100;
    if (fiscalStart != nullptr) *fiscalStart = start;
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

bool IsWrongPeriod(std::int16_t fiscalStart, std::int16_t fiscalEnd, std::int16_t startMonth,
                   std::int16_t endMonth) {
    const int first = fiscalStart;
    const bool crossing = fiscalEnd > 100;
    const int last = crossing ? fiscalEnd % 100 : fiscalEnd;
    const int start = startMonth;
    const int end = endMonth;
    if (end < 1 || end > 12) return true;
    if (!crossing) return start < first || end > last || start > end;
    const bool startInGap = last < start && start < first;
    const bool startInNewYear = start >= 1 && start <= last;
    const bool endInGap = last < end && end < first;
    return startInGap || (startInNewYear && (end < start || end > last)) || endInGap;
}

bool EndsBeforeIntroduction(std::int16_t fiscalStart, std::int16_t fiscalEnd,
                            std::int16_t startMonth, std::int16_t endMonth,
                            std::int16_t introMonth) {
    std::int16_t startPosition = 0;
    std::int16_t endPosition = 0;
    MonthPositions(fiscalStart, fiscalEnd, startMonth, endMonth, &startPosition, &endPosition);
    return endPosition < introMonth;
}

int FirstMonthYear(std::int32_t periodStart, std::int16_t startMonth) {
    const int firstDayMonth = periodStart / 100 % 100;
    return periodStart / 10000 + (startMonth < firstDayMonth ? 1 : 0);
}
