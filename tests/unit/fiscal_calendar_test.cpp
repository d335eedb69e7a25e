#include <gtest/gtest.h>

#include "host/fiscal_calendar.h"
#include "host/totals_query.h"
#include "model/fiscal_months.h"
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

TEST(FirstMonthYear, IsTheFirstDaysYearUnlessTheClosingDayOpensTheNextYear) {
    const struct {
        std::int32_t periodStart;
        std::int16_t startMonth;
        int year;
    } cases[] = {{20250401, 4, 2025},
                 {20250421, 5, 2025},
                 {20251221, 1, 2026},
                 {20250101, 1, 2025},
                 {20251201, 12, 2025}};
    for (const auto& c : cases)
        EXPECT_EQ(FirstMonthYear(c.periodStart, c.startMonth), c.year) << c.periodStart;
}

TEST_F(FiscalCalendar, TheClosingDayIsWorkedOutFromTheEndDate) {
    WriteState(kSampleState);
    ASSERT_EQ(ClHostLink::Instance()->Connect(), 0);
    ClFiscalCalendar calendar;
    calendar.DefinePeriod(20250401, 20260331);
    // Whatever the datasets say: the month's last day closes at month end.
    const std::pair<std::int32_t, std::int32_t> cases[] = {
        {20260331, 0},  {20260320, 20}, {20240229, 0},  {20230228, 0},
        {20240228, 28}, {20261130, 0},  {20261129, 29}, {20261300, 0}};
    for (const auto& [date, expected] : cases) {
        std::int32_t day = -1;
        calendar.CutoffDayFromEndDate(date, 0, &day);
        EXPECT_EQ(day, expected) << date;
    }
    const std::vector<std::string> journal = JournalLines();
    EXPECT_NE(std::find(journal.begin(), journal.end(), "DefinePeriod 20250401 20260331"),
              journal.end());
    EXPECT_NE(std::find(journal.begin(), journal.end(), "CutoffDayFromEndDate 20260320 0"),
              journal.end());
}

TEST_F(FiscalCalendar, BeginTotalsJournalsTheFilterItWasGiven) {
    WriteState(kSampleState);
    ASSERT_EQ(ClHostLink::Instance()->Connect(), 0);
    AccountFilter filter;
    filter.Condition(0).Set(kFieldAccountingMonth, kOperatorAtLeast, kValueInt16, 1, kLinkAnd);
    filter.Condition(1).Set(kFieldAccountingMonth, kOperatorAtMost, kValueInt16, 6, kLinkOr);
    filter.Condition(2).Set(kFieldAccountingMonth, kOperatorEqual, kValueInt16, 15, kLinkNone);
    ClAccountTotalsQuery query;
    query.BeginTotals(kTotalsBasisAccounts, kTotalsNoDepartments, kTotalsDisplayPlain, &filter,
                      nullptr, kTotalsCurrentYear);
    EXPECT_EQ(JournalLines().back(), "BeginTotals 1 0 0 0 month>=1 and month<=6 or month=15");
}

}  // namespace
