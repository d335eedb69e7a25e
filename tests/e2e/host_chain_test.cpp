// The whole chain: the host simulator starts each edition program with a
// host state, and the program links, reads its command line and tells the
// host its outcome.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "tests/e2e/process_runner.h"

namespace {

class HostChain : public ::testing::TestWithParam<const wchar_t*> {
  protected:
    void SetUp() override {
        folder_ = MakeTempFolder();
        statePath_ = folder_ + L"state.json";
        journalPath_ = folder_ + L"journal.log";
    }
    void TearDown() override { RemoveFolderTree(folder_); }

    void WriteState(const std::string& extra = "") {
        WriteFile(statePath_,
                  u8R"({"user": {"selection": [1, 12]}, "datasets": [{"id": "DS0012",
            "no": 12, "company": "株式会社見本商事", "periodStart": 20250401,
            "periodEnd": 20260331}], "journal": )" +
                      JsonString(journalPath_) + extra + "}");
    }
    ProcessResult Run(const std::wstring& options) {
        return RunHostSimulator(L"--timeout 60 --state \"" + statePath_ + L"\" " + options +
                                L" \"" + ProgramFolder() + GetParam() + L".exe\"");
    }
    std::vector<std::string> Journal() const {
        std::istringstream in(ReadFile(journalPath_));
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }
    // The lines of `expected` appear in the journal in this order.
    static bool InOrder(const std::vector<std::string>& journal,
                        const std::vector<std::string>& expected) {
        std::size_t next = 0;
        for (const std::string& line : journal) {
            if (next < expected.size() && line.rfind(expected[next], 0) == 0) ++next;
        }
        return next == expected.size();
    }

    std::wstring folder_;
    std::wstring statePath_;
    std::wstring journalPath_;
};

TEST_P(HostChain, CompletionCodeOneArrivesWithTheFunctionId) {
    WriteState();
    const ProcessResult result = Run(L"--function-id 7");
    EXPECT_EQ(result.output,
              "completion function=7 code=1\n"
              "host-window disabled-during-run=yes enabled-after=yes\n");
    EXPECT_EQ(result.exitCode, 1u);
    const std::vector<std::string> journal = Journal();
    EXPECT_TRUE(
        InOrder(journal, {"set MessageTitle", "SetClientKind 4", "SetDataUsage 1", "Connect",
                          "set OwnerWindow ", "SignOut", "Disconnect", "ReleaseInstance"}))
        << ReadFile(journalPath_);
    EXPECT_EQ(journal.back(), "ReleaseInstance");
}

TEST_P(HostChain, FunctionIdMinusOneArrivesWithAllBitsSet) {
    WriteState();
    const ProcessResult result = Run(L"--function-id -1 --output C:\\out\\a,b.xml");
    EXPECT_EQ(result.output,
              "completion function=-1 code=1\n"
              "host-window disabled-during-run=yes enabled-after=yes\n");
}

TEST_P(HostChain, TwoCommasOnlyMeansNoMessageAndAHostNeverDisabled) {
    WriteState();
    const ProcessResult result = Run(L"--raw-args 5,6,");
    EXPECT_EQ(result.output,
              "completion none\n"
              "host-window disabled-during-run=no enabled-after=yes\n");
    EXPECT_EQ(result.exitCode, 99u);
    EXPECT_EQ(Journal().back(), "ReleaseInstance");
}

TEST_P(HostChain, RefusedConnectPostsNothing) {
    WriteState(R"(, "results": {"connect": 1})");
    const ProcessResult result = Run(L"");
    EXPECT_EQ(result.output,
              "completion none\n"
              "host-window disabled-during-run=no enabled-after=yes\n");
    EXPECT_EQ(result.exitCode, 99u);
    const std::vector<std::string> journal = Journal();
    EXPECT_TRUE(InOrder(journal, {"Connect", "SignOut", "Disconnect", "ReleaseInstance"}));
    EXPECT_FALSE(InOrder(journal, {"set OwnerWindow"})) << "the command line is never read";
}

INSTANTIATE_TEST_SUITE_P(Editions, HostChain,
                         ::testing::Values(L"LdgSel18ToQb16_G", L"LdgAdv18ToQb16_G",
                                           L"LdgBas18ToQb16_G"),
                         [](const ::testing::TestParamInfo<const wchar_t*>& info) {
                             return Utf8(info.param).substr(3, 3);
                         });

}  // namespace
