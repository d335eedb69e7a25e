#include "host/fiscal_calendar.h"

#include "hostsim/host_session.h"

using hostsim::Session;

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
    *cutoffDay = 0;
    if (!Session().loaded) return kHostOk;
    for (const hostsim::DatasetEntry& dataset : Session().state.datasets) {
        if (dataset.record.PeriodEnd() == lastDay) {
            *cutoffDay = dataset.cutoffDay;
            break;
        }
    }
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
