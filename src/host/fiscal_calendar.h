// LdgBCore: the fiscal calendar of a dataset.
#pragma once

#include <cstdint>

#include "host/host_api.h"

class LDG_BCORE_API ClFiscalCalendar {
  public:
    ClFiscalCalendar() = default;

    std::int32_t DefinePeriod(std::int32_t firstDay, std::int32_t lastDay);
    // The closing day of the dataset whose period ends on lastDay (0: month end).
    std::int32_t CutoffDayFromEndDate(std::int32_t lastDay, std::int32_t mode,
                                      std::int32_t* cutoffDay);
    std::int32_t SetCutoffDay(std::int32_t cutoffDay);
    // The calendar month (1 to 12) of the accounting month that holds date.
    std::int32_t MonthIndexOfDate(std::int32_t date, std::int32_t* month, std::int32_t mode);

  private:
    std::int32_t firstDay_ = 0;
    std::int32_t lastDay_ = 0;
    std::int32_t cutoffDay_ = 0;
};
