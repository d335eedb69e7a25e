#include <gtest/gtest.h>

#include "host/fiscal_calendar.h"
#include "tests/unit/host_fixture.h"

namespace {

class FiscalCalendar : public HostFixture {};

TEST_F(FiscalCalendar, MonthEndClosingGivesTheCalendarMonth) {
    ClFiscalCalendar calendar;
    calendar.SetCutoffDay(0);
    std::int32_t month = 0;
    for (const auto& [date, expected] : std::vector<std::pair<int, int>>{
             {20250401, 4}, {20250430, 4}, {20251231, 12}, {20260101, 1}, {20260331, 3}}) {
        ASSERT_EQ(calendar.MonthIndexOfDate(date, &month, 0), 0);
        EXPECT_EQ(month, expected) << date;
    }
}

TEST_F(FiscalCalendar, DaysAfterTheClosingDayBelongToTheNextMonth) {
    ClFiscalCalendar calendar;
    calendar.SetCutoffDay(20);
    std::int32_t month = 0;
    for (const auto& [date, expected] : std::vector<std::pair<int, int>>{
             {20250420, 4}, {20250421, 5}, {20250401, 4}, {20251221, 1}, {20251220, 12}}) {
        calendar.MonthIndexOfDate(date, &month, 0);
        EXPECT_EQ(month, expected) << date;
    }
}

TEST_F(FiscalCalendar, CutoffDayComesFromTheDatasetEndingThatDay) {
    WriteState(kSampleState);
    ASSERT_EQ(ClHostLink::Instance()->Connect(), 0);
    ClFiscalCalendar calendar;
    calendar.DefinePeriod(20250401, 20260331);
    std::int32_t day = -1;
    calendar.CutoffDayFromEndDate(20260331, 0, &day);
    EXPECT_EQ(day, 20);
    calendar.CutoffDayFromEndDate(20250331, 0, &day);
    EXPECT_EQ(day, 0) << "the first dataset closes at month end";
    calendar.CutoffDayFromEndDate(20270331, 0, &day);
    EXPECT_EQ(day, 0) << "no dataset ends that day";
    const std::vector<std::string> journal = JournalLines();
    EXPECT_NE(std::find(journal.begin(), journal.end(), "DefinePeriod 20250401 20260331"),
              journal.end());
    EXPECT_NE(std::find(journal.begin(), journal.end(), "CutoffDayFromEndDate 20260331 0"),
              journal.end());
}

}  // namespace
