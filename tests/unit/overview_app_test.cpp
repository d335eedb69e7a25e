// The run sequence against the stand-in, with a desktop and windows that
// record what the program did.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>

#include "app/overview_app.h"
#include "tests/unit/fake_desktop.h"
#include "tests/unit/host_fixture.h"

namespace {

constexpr char kLevelPath[] = "C:\\prog\\KodamaDef.ini";

class OverviewAppRun : public HostFixture {
  protected:
    void SetUp() override {
        HostFixture::SetUp();
        desktop.files[kLevelPath] = "[ProgramLevel]\r\nQB16_G=1\r\n";
        desktop.commandLine = "4242,49200,-1,C:\\out\\x.xml";
    }
    void Run() {
        ClOverviewApp app(desktop, windows, files, kTestEdition);
        app.InitInstance();
        app.ExitInstance();
    }
    // The one posted completion code, or -1 when none was posted.
    std::intptr_t PostedCode() const {
        if (desktop.posts.size() != 1) return -1;
        return desktop.posts[0].second;
    }
    bool JournalHas(const std::string& line) const {
        const auto journal = JournalLines();
        return std::find(journal.begin(), journal.end(), line) != journal.end();
    }
    void ExpectJournalEnds() const {
        const auto journal = JournalLines();
        ASSERT_GE(journal.size(), 3u);
        EXPECT_EQ(std::vector<std::string>(journal.end() - 3, journal.end()),
                  (std::vector<std::string>{"SignOut", "Disconnect", "ReleaseInstance"}));
    }
    FakeDesktop desktop;
    FakeWindows windows;
    FakeFileSystem files;
};

TEST_F(OverviewAppRun, SheetGetsTheDatasetAndHostInputs) {
    WriteState(kSampleState);
    Run();
    ASSERT_EQ(windows.sheetRuns, 1);
    EXPECT_EQ(windows.sheetParent, WindowFromHandleNumber(4242));
    const AggregationConditions& c = windows.seenConditions;
    EXPECT_EQ(c.userId, "tanaka");
    EXPECT_EQ(c.selectionFirst, 3);
    EXPECT_EQ(c.selectionSecond, 12);
    EXPECT_EQ(c.outputPath, "C:\\out\\x.xml");
    EXPECT_EQ(c.periodStart, 20250401);
    EXPECT_EQ(c.periodEnd, 20260331);
    EXPECT_EQ(c.introMonth, 3);
    EXPECT_EQ(c.netAssetsStyle, 1);
    EXPECT_EQ(windows.seenPage1.companyText, " 株式会社見本商事");
    EXPECT_EQ(windows.seenPage1.periodText, " 2025/04/01～2026/03/31");
    EXPECT_EQ(desktop.currentFolder, "C:\\prog\\") << "the program's folder becomes current";
}

TEST_F(OverviewAppRun, CancelledSheetEndsWithOneAndNoMessage) {
    WriteState(kSampleState);
    windows.sheetEndCode = 2001;
    Run();
    EXPECT_EQ(PostedCode(), 1);
    EXPECT_TRUE(desktop.boxes.empty());
    EXPECT_EQ(desktop.events,
              (std::vector<std::string>{"disable 4242", "foreground 4242", "enable 4242",
                                        "post 4242", "enable 4242"}));
    EXPECT_EQ(static_cast<std::uintptr_t>(desktop.posts[0].first), UINTPTR_MAX)
        << "function id -1 arrives with all bits set";
    ExpectJournalEnds();
}

TEST_F(OverviewAppRun, RunCodeWritesTheReportAndEndsWithZero) {
    WriteState(kSampleState);
    const std::string xml = folder_ + "/overview.xml";
    desktop.commandLine = "4242,49200,2," + xml;
    windows.sheetEndCode = 2000;
    Run();
    EXPECT_EQ(PostedCode(), 0);
    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(desktop.boxes[0].text, ClOverviewApp::kReportWrittenMessage);
    EXPECT_EQ(desktop.boxes[0].kind, MessageKind::kInformation);
    std::ifstream written(xml, std::ios::binary);
    std::string head;
    std::getline(written, head);
    EXPECT_EQ(head, "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r");
    std::remove(xml.c_str());
}

TEST_F(OverviewAppRun, UnwritablePathEndsWithTheXmlFailure) {
    WriteState(kSampleState);
    desktop.commandLine = "4242,49200,2," + folder_ + "/missing/overview.xml";
    windows.sheetEndCode = 2000;
    Run();
    EXPECT_EQ(PostedCode(), 2);
    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(desktop.boxes[0].text, ClOverviewApp::kReportFailedMessage);
}

TEST_F(OverviewAppRun, FailedAggregationWritesNoFile) {
    WriteState(std::string(kSampleState) +
               R"(, "results": {"nextRowFailAt": 0, "nextRowFailCode": 3})");
    const std::string xml = folder_ + "/overview.xml";
    desktop.commandLine = "4242,49200,2," + xml;
    windows.sheetEndCode = 2000;
    Run();
    EXPECT_EQ(PostedCode(), 2);
    EXPECT_FALSE(std::ifstream(xml).good()) << "no report from partial amounts";
}

TEST_F(OverviewAppRun, PastResultsDataStopsBeforeTheSheet) {
    WriteState(
        u8R"("user": {"selection": [1, 5]}, "datasets": [{"id": "P", "no": 5,
        "periodStart": 20240401, "periodEnd": 20250331, "introMonth": 99}])");
    Run();
    EXPECT_EQ(windows.sheetRuns, 0);
    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(desktop.boxes[0].text, ClOverviewApp::kPastResultsMessage);
    EXPECT_EQ(desktop.boxes[0].owner, nullptr);
    EXPECT_EQ(PostedCode(), 1);
}

TEST_F(OverviewAppRun, MissingOpenDatasetFailsWithAMessageInsteadOfAnEmptySheet) {
    WriteState(R"("user": {"selection": [1, 77]})");
    Run();
    EXPECT_EQ(windows.sheetRuns, 0);
    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(desktop.boxes[0].text, ClOverviewApp::kDatasetNotFoundMessage);
    EXPECT_EQ(PostedCode(), 2);
}

TEST_F(OverviewAppRun, JoinHostSessionAnswersDecideTheCodeSilently) {
    for (const auto& [answer, code] : std::vector<std::pair<int, int>>{{1, 1}, {2, 2}, {-3, 2}}) {
        hostsim::ResetSession();
        std::remove(journalPath_.c_str());
        desktop = FakeDesktop();
        desktop.files[kLevelPath] = "[ProgramLevel]\nQB16_G=1\n";
        desktop.commandLine = "4242,49200,2,";
        WriteState(std::string(kSampleState) + R"(, "results": {"joinHostSession": )" +
                   std::to_string(answer) + "}");
        Run();
        EXPECT_EQ(PostedCode(), code) << answer;
        EXPECT_TRUE(desktop.boxes.empty());
        EXPECT_EQ(windows.sheetRuns, 0);
        ExpectJournalEnds();
    }
}

TEST_F(OverviewAppRun, RefusedLevelShowsTheHostMessageAndFails) {
    WriteState(kSampleState);
    desktop.files[kLevelPath] = "[ProgramLevel]\nQB16_G=2\n";
    Run();
    EXPECT_EQ(PostedCode(), 2);
    ASSERT_EQ(hostsim::Session().shownMessages.size(), 1u);
    const hostsim::ShownMessage& shown = hostsim::Session().shownMessages[0];
    EXPECT_NE(shown.text.find("連動コンポーネントの最新版"), std::string::npos);
    EXPECT_NE(shown.text.find("帳簿丸１８ SELECT"), std::string::npos) << "package name filled in";
    EXPECT_EQ(shown.owner, 4242u);
    EXPECT_EQ(shown.title, "事業概況書");
    EXPECT_FALSE(JournalHas("JoinHostSession")) << "the check comes before joining";
}

TEST_F(OverviewAppRun, MissingLevelFileRefusesWithoutHostWindowWhenNotLaunched) {
    WriteState(kSampleState);
    desktop.files.clear();
    desktop.commandLine = "";
    Run();
    EXPECT_TRUE(desktop.posts.empty());
    ASSERT_EQ(hostsim::Session().shownMessages.size(), 1u);
    EXPECT_EQ(hostsim::Session().shownMessages[0].owner, 0u);
    EXPECT_NE(hostsim::Session().shownMessages[0].text.find("動作環境が不正です。"),
              std::string::npos);
}

TEST_F(OverviewAppRun, IncompleteCommandLineLeavesTheHostAloneAndPresetsNothing) {
    WriteState(kSampleState);
    desktop.commandLine = "4242,49200,";
    Run();
    EXPECT_TRUE(desktop.events.empty());
    EXPECT_EQ(windows.sheetParent, nullptr);
    EXPECT_EQ(windows.seenConditions.outputPath, "");
    EXPECT_FALSE(JournalHas("set OwnerWindow 4242"));
}

TEST_F(OverviewAppRun, RefusedConnectEndsSilentlyButStillSignsOut) {
    WriteState(R"("results": {"connect": 2})");
    Run();
    EXPECT_FALSE(desktop.commandLineRead);
    EXPECT_TRUE(desktop.events.empty());
    EXPECT_EQ(JournalLines(),
              (std::vector<std::string>{"set MessageTitle", "SetClientKind 4", "SetDataUsage 1",
                                        "Connect", "SignOut", "Disconnect", "ReleaseInstance"}));
}

}  // namespace
