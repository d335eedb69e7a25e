// The fiscal year's months: which calendar months open and close it, and
// where a month stands within it.
#pragma once

#include <cstdint>

class Host;

// fiscalStart: the calendar month of the accounting month that holds the
// period's first day, by the host's fiscal calendar. fiscalEnd: the
// calendar month of the last day, plus 100 when the year crosses a calendar
// year end. Either output may be null; without a calendar neither is
// written.
void FiscalMonthRange(Host& host, std::int32_t periodStart, std::int32_t periodEnd,
                      std::int16_t* fiscalStart, std::int16_t* fiscalEnd);

// 1-based positions within the fiscal year of startMonth and endMonth.
// Nothing happens unless both outputs are given.
void MonthPositions(std::int16_t fiscalStart, std::int16_t fiscalEnd, std::int16_t startMonth,
                    std::int16_t endMonth, std::int16_t* startPosition, std::int16_t* endPosition);

// A period that "実行(F12)" refuses: an end month that is no month, or a
// period that does not lie within the fiscal year (fiscalStart and
// fiscalEnd as FiscalMonthRange gives them) from its start to its end.
bool IsWrongPeriod(std::int16_t fiscalStart, std::int16_t fiscalEnd, std::int16_t startMonth,
                   std::int16_t endMonth);
// A period that ends before the position of the month the data was
// introduced in, which "実行(F12)" refuses too.
bool EndsBeforeIntroduction(std::int16_t fiscalStart, std::int16_t fiscalEnd,
                            std::int16_t startMonth, std::int16_t endMonth,
                            std::int16_t introMonth);

// The calendar year of the period's first month `startMonth`: the year of
// the period's first day (yyyymmdd), or the next one when the closing day
// put that day in a month of the next year (a period from 21 December,
// closing on the 20th, opens with January).
int FirstMonthYear(std::int32_t periodStart, std::int16_t startMonth);
