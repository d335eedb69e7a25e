// The whole chain for every edition: the host simulator starts the
// program, the user leaves the sheet, and the host learns the outcome.
#include <gtest/gtest.h>

#include "tests/e2e/scenario.h"

namespace {

class HostChain : public Scenario, public ::testing::WithParamInterface<const wchar_t*> {
  protected:
    std::wstring Program() const { return ProgramFolder() + GetParam() + L".exe"; }
};

TEST_P(HostChain, CancelledSheetReportsCodeOneWithTheFunctionId) {
    WriteState();
    Start(L"--function-id 7", Program());
    WaitForSheetAndCancel();
    const ProcessResult result = Finish();
    EXPECT_EQ(result.output,
              "completion function=7 code=1\n"
              "host-window disabled-during-run=yes enabled-after=yes\n");
    EXPECT_EQ(result.exitCode, 1u);
    EXPECT_TRUE(JournalInOrder({"set MessageTitle", "SetClientKind 4", "SetDataUsage 1", "Connect",
                                "set OwnerWindow ", "JoinHostSession", "SignOut", "Disconnect",
                                "ReleaseInstance"}))
        << ReadFileBytes(journalPath_);
    EXPECT_TRUE(JournalEndsWithSignOut());
}

TEST_P(HostChain, RefusedConnectPostsNothing) {
    WriteState("", R"(, "results": {"connect": 1})");
    Start(L"", Program());
    const ProcessResult result = Finish();
    EXPECT_EQ(result.output,
              "completion none\n"
              "host-window disabled-during-run=no enabled-after=yes\n");
    EXPECT_EQ(result.exitCode, 99u);
    EXPECT_TRUE(JournalInOrder({"Connect", "SignOut", "Disconnect", "ReleaseInstance"}));
    EXPECT_FALSE(JournalInOrder({"set OwnerWindow"})) << "the command line is never read";
}

INSTANTIATE_TEST_SUITE_P(Editions, HostChain,
                         ::testing::Values(L"LdgSel18ToQb16_G", L"LdgAdv18ToQb16_G",
                                           L"LdgBas18ToQb16_G"),
                         [](const ::testing::TestParamInfo<const wchar_t*>& info) {
                             return Utf8(info.param).substr(3, 3);
                         });

}  // namespace
