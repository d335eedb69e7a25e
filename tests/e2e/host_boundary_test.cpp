// What the program asks of the host at the boundary, seen in the
// stand-in's journal: the month filter the totals query receives for the
// periods that shape it, and no other totals query when no mapping page
// was shown.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/e2e/scenario.h"

namespace {

struct FilterCase {
    const char* name;
    const char* dataset;  // the dataset's fields after its number
    int endMonth;         // as saved for the user, so the sheet opens with it
    const char* expected;
};

const FilterCase kCases[] = {
    {"FullYear", R"("periodStart": 20250401, "periodEnd": 20260331)", 3,
     "BeginTotals 1 0 0 0 month>=1 and month<=12 or month=18"},
    {"InterimSettlementToJune",
     R"("periodStart": 20250101, "periodEnd": 20251231, "interimSettlement": 1)", 6,
     "BeginTotals 1 0 0 0 month>=1 and month<=6 or month=15"},
    // Closing on the 20th: 21 April belongs to May's books, so April closes
    // the year.
    {"ClosingDayTwenty", R"("periodStart": 20250421, "periodEnd": 20260420)", 4,
     "BeginTotals 1 0 0 0 month>=1 and month<=12 or month=18"},
};

class HostBoundary : public Scenario, public ::testing::WithParamInterface<FilterCase> {};

TEST_P(HostBoundary, TheTotalsQueryReceivesTheMonthsOfThePeriod) {
    const FilterCase& c = GetParam();
    WriteFileBytes(statePath_, std::string(R"({"user": {"selection": [1, 12]}, "folders": {)") +
                                   R"("conditions": )" + JsonString(conditionsFolder_) +
                                   R"(}, "journal": )" + JsonString(journalPath_) +
                                   R"(, "datasets": [{"id": "DS0012", "no": 12, )" + c.dataset +
                                   "}]}");
    WriteFileBytes(conditionsFolder_ + L"QB16_G_admin_1_12.env",
                   "[P1]\n" + std::to_string(c.endMonth) + "/0/0/" + Utf8(folder_) +
                       "out.xml\n[終了]\n[P2/P3]\n[終了]\n");
    Start(L"--function-id 2", ProgramFolder() + L"LdgSel18ToQb16_G.exe");
    ASSERT_NO_FATAL_FAILURE(WaitForSheetAndRun());
    ExpectWrittenAndConfirm(folder_ + L"out_集計明細.html");
    EXPECT_EQ(Finish().exitCode, 0u);
    EXPECT_TRUE(JournalInOrder({c.expected})) << ReadFileBytes(journalPath_);
    // No mapping page was shown, so the sheet asked for no amounts.
    const std::vector<std::string> journal = Journal();
    EXPECT_EQ(
        std::count_if(journal.begin(), journal.end(),
                      [](const std::string& line) { return line.rfind("BeginTotals", 0) == 0; }),
        1)
        << ReadFileBytes(journalPath_);
}

INSTANTIATE_TEST_SUITE_P(Periods, HostBoundary, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<FilterCase>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
