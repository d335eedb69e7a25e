#include "host/fiscal_calendar.h"

#include "hostsim/fiscal_calendar_rules.h"
#include "hostsim/host_session.h"

using hostsim::Session;

namespace hostsim {

std::int32_t CutoffDayOfEndDate(std::int32_t date) {
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const int year = date / 10000;
    const int month = date / 100 % 100;
    const int day = date % 100;
    if (month < 1 || month > 12 || day < 1) return 0;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    const int last = kDays[month - 1] + (month == 2 && leap ? 1 : 0);
    return day >= last ? 0 : day;
}

}  // namespace hostsim

std::int32_t ClFiscalCalendar::DefinePeriod(std::int32_t firstDay, std::int32_t lastDay) {
    Session().journal.Write("DefinePeriod", {firstDay, lastDay});
    firstDay_ = firstDay;
    lastDay_ = lastDay;
    return kHostOk;
}

std::int32_t ClFiscalCalendar::CutoffDayFromEndDate(std::int32_t lastDay, std::int32_t mode,
                                                    std::int32_t* cutoffDay) {
    Session().journal.Write("CutoffDayFromEndDate", {lastDay, mode});
    if (cutoffDay == nullptr) return 1;
    *cutoffDay = hostsim::CutoffDayOfEndDate(lastDay);
    return kHostOk;
}

std::int32_t ClFiscalCalendar::SetCutoffDay(std::int32_t cutoffDay) {
    Session().journal.Write("SetCutoffDay", {cutoffDay});
    cutoffDay_ = cutoffDay;
    return kHostOk;
}

std::int32_t ClFiscalCalendar::MonthIndexOfDate(std::int32_t date, std::int32_t* month,
                                                std::int32_t mode) {
    Session().journal.Write("MonthIndexOfDate", {date, mode});
    const std::int32_t calendarMonth = date / 100 % 100;
    if (month == nullptr || calendarMonth < 1 || calendarMonth > 12) return 1;
    const std::int32_t day = date % 100;
    // With a closing day, the days after it belong to the next month's books.
    const bool closedAlready = cutoffDay_ != 0 && day > cutoffDay_;
    *month = closedAlready ? calendarMonth % 12 + 1 : calendarMonth;
    return kHostOk;
}
