// The program's questions to the host, answered through the stand-in's
// libraries: the answers and the calls they take, in the host's order.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/host_calls.h"
#include "model/account_filters.h"
#include "tests/unit/host_fixture.h"

namespace {

class HostCallsAdapter : public HostFixture {
  protected:
    void SetUp() override {
        HostFixture::SetUp();
        WriteState(std::string(kSampleState));
        ASSERT_EQ(host.Connect("事業概況書"), 0);
    }
    // The journal after the lines already written.
    std::vector<std::string> CallsSince(std::size_t mark) const {
        const std::vector<std::string> lines = JournalLines();
        return {lines.begin() + static_cast<std::ptrdiff_t>(mark), lines.end()};
    }
    HostCalls host;
};

TEST_F(HostCallsAdapter, AnswersFromTheOpenDataset) {
    const UserSelection user = host.CurrentUser();
    EXPECT_EQ(user.userId, "tanaka");
    EXPECT_EQ(user.first, 3);
    EXPECT_EQ(user.second, 12);
    DatasetRecord record;
    ASSERT_TRUE(host.FindDataset(12, record));
    EXPECT_EQ(record.DatasetId(), "DS0012");
    EXPECT_FALSE(host.FindDataset(77, record));
    EXPECT_EQ(record.DatasetId(), "") << "zeroed when there is none";
    EXPECT_TRUE(host.TaxInclusiveDefault());
    EXPECT_EQ(host.FolderPath(kFolderConditions), "C:\\cond\\");
    std::int16_t month = 0;
    ASSERT_TRUE(host.AccountingMonthOfFirstDay(20250401, 20260331, month));
    EXPECT_EQ(month, 4);
}

TEST_F(HostCallsAdapter, EachWalkAndQueryMakesTheHostsCallsInOrder) {
    std::size_t mark = JournalLines().size();
    int visited = 0;
    host.WalkAccounts(nullptr, [&visited](const AccountRecord&) { return ++visited < 1; });
    const AccountFilter all = AllAccountsFilter();
    host.WalkAccounts(&all, [](const AccountRecord&) { return true; });
    EXPECT_EQ(visited, 1) << "the walk stops when told";
    EXPECT_EQ(CallsSince(mark), (std::vector<std::string>{
                                    "GetTable 1 1", "OpenCursor", "PrepareCursor", "NextRecord",
                                    "CloseCursor", "GetTable 1 1", "OpenCursor", "PrepareCursor",
                                    "NextMatch", "NextMatch", "NextMatch", "CloseCursor"}));

    mark = JournalLines().size();
    std::unique_ptr<TotalsQuery> query = host.OpenTotalsQuery();
    ASSERT_NE(query, nullptr);
    query->Begin(all);
    std::int32_t count = 0;
    EXPECT_EQ(query->GetRowCount(&count), 0);
    EXPECT_EQ(count, 2);
    query->End();
    EXPECT_EQ(
        CallsSince(mark),
        (std::vector<std::string>{
            "GetTableSet", "AttachTableSet", "GetTable 5 1", "GetSelectedDataset", "SetDatasetId",
            "GetOptions", "AttachOptions", "BeginTotals 1 0 0 0 code<>0", "GetRowCount", "EndTotals"}));
    host.Close();
    EXPECT_EQ(CallsSince(JournalLines().size() - 3),
              (std::vector<std::string>{"SignOut", "Disconnect", "ReleaseInstance"}));
}

}  // namespace
