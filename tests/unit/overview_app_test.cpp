// The run sequence with a host, a desktop, windows and files that record
// what the program did.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/overview_app.h"
#include "tests/unit/fakes/fake_desktop.h"
#include "tests/unit/fakes/fake_host.h"
#include "tests/unit/fakes/recording_views.h"
#include "tests/unit/fakes/sample_state.h"

namespace {

constexpr char kLevelPath[] = "C:\\prog\\KodamaDef.ini";

class OverviewAppRun : public ::testing::Test {
  public:
    void SetUp() override {
        files.files[kLevelPath] = "[ProgramLevel]\r\nQB16_G=1\r\n";
        desktop.commandLine = "4242,49200,-1,C:\\out\\x.xml";
    }
    void Run() {
        ClOverviewApp app(host, desktop, windows, files, kTestEdition);
        app.InitInstance();
        app.ExitInstance();
    }
    // The one posted completion code, or -1 when none was posted.
    std::intptr_t PostedCode() const {
        if (desktop.posts.size() != 1) return -1;
        return desktop.posts[0].second;
    }
    bool HostHeard(const std::string& call) const {
        return std::find(host.calls.begin(), host.calls.end(), call) != host.calls.end();
    }
    void ExpectLinkClosedLast() const {
        ASSERT_FALSE(host.calls.empty());
        EXPECT_EQ(host.calls.back(), "Close");
        EXPECT_EQ(std::count(host.calls.begin(), host.calls.end(), "Close"), 1);
    }
    FakeHost host;
    FakeDesktop desktop;
    FakeWindows windows;
    MemoryFileSystem files;
};

TEST_F(OverviewAppRun, SheetGetsTheDatasetAndHostInputs) {
    host.Load(kSampleState);
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
    host.Load(kSampleState);
    windows.sheetEndCode = 2001;
    Run();
    EXPECT_EQ(PostedCode(), 1);
    EXPECT_TRUE(desktop.boxes.empty());
    EXPECT_EQ(desktop.events,
              (std::vector<std::string>{"disable 4242", "foreground 4242", "enable 4242",
                                        "post 4242", "enable 4242"}));
    EXPECT_EQ(static_cast<std::uintptr_t>(desktop.posts[0].first), UINTPTR_MAX)
        << "function id -1 arrives with all bits set";
    ExpectLinkClosedLast();
}

TEST_F(OverviewAppRun, RunCodeWritesTheReportAndEndsWithZero) {
    host.Load(kSampleState);
    const std::string xml = "C:\\out\\overview.xml";
    desktop.commandLine = "4242,49200,2," + xml;
    windows.sheetEndCode = 2000;
    Run();
    EXPECT_EQ(PostedCode(), 0);
    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(
        desktop.boxes[0].text.rfind(
            "事業概況情報の出力が終了しました。\n集計明細：overview_集計明細.html\n点検：", 0),
        0u);
    EXPECT_EQ(desktop.boxes[0].kind, MessageKind::kInformation);
    EXPECT_EQ(files.files[xml].rfind("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n", 0), 0u);
    EXPECT_EQ(host.calls,
              (std::vector<std::string>{"Connect", "OwnerWindow 4242", "JoinSession", "BeginTotals",
                                        "EndTotals", "ReleaseFolders", "Close"}));
}

TEST_F(OverviewAppRun, TheDetailLiesBesideTheXmlInUtf8AndTheMessageNamesIt) {
    host.Load(kSampleState);
    windows.sheetEndCode = 2000;
    Run();
    EXPECT_EQ(PostedCode(), 0);
    const std::string detail = files.files["C:\\out\\x_集計明細.html"];
    EXPECT_EQ(detail.rfind("<!DOCTYPE html>", 0), 0u);
    EXPECT_NE(detail.find(u8"株式会社見本商事"), std::string::npos);
    EXPECT_NE(detail.find(u8"2026年1月5日 09:07"), std::string::npos) << "the desktop's clock";
    // The message counts the findings the detail lists.
    const auto count = [&detail](const std::string& level) {
        int n = 0;
        for (std::size_t at = detail.find(level); at != std::string::npos;
             at = detail.find(level, at + 1))
            ++n;
        return n;
    };
    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(
        desktop.boxes[0].text,
        ClOverviewApp::ReportWrittenMessage(
            {"x_集計明細.html", {count("data-level=\"check\""), count("data-level=\"note\"")}}));
}

TEST(ReportWrittenMessage, NamesTheDetailAndCountsItsFindingsOrSaysItWasNotSaved) {
    const struct {
        ClOverviewApp::DetailOutcome detail;
        const char* text;
    } cases[] = {
        {{"x_集計明細.html", {1, 2}},
         "事業概況情報の出力が終了しました。\n集計明細：x_集計明細.html\n"
         "点検：要確認 1件、参考 2件\n\nアプリケーションを終了します。"},
        {{"x_集計明細.html", {0, 0}},
         "事業概況情報の出力が終了しました。\n集計明細：x_集計明細.html\n"
         "点検：要確認 0件、参考 0件\n\nアプリケーションを終了します。"},
        {{"", {3, 4}},
         "事業概況情報の出力が終了しました。\n集計明細を保存できませんでした。\n\n"
         "アプリケーションを終了します。"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ClOverviewApp::ReportWrittenMessage(c.detail), c.text) << c.text;
}

TEST_F(OverviewAppRun, ADetailThatCannotBeSavedLeavesTheXmlAndTheCodeAlone) {
    const struct {
        const char* what;
        std::string xml;
        std::size_t failingWrites;  // of the second file
    } cases[] = {
        {"path too long", "C:\\" + std::string(250, 'p') + ".xml", static_cast<std::size_t>(-1)},
        {"disk full", "C:\\out\\x.xml", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        host = FakeHost();
        host.Load(kSampleState);
        desktop = FakeDesktop();
        desktop.commandLine = "4242,49200,2," + c.xml;
        files.files.erase(c.xml);
        files.outputs.clear();
        files.plannedOutputs[1].writesBeforeFailure = c.failingWrites;
        windows.sheetEndCode = 2000;
        Run();
        EXPECT_EQ(PostedCode(), 0);
        EXPECT_EQ(files.files[c.xml].rfind("<?xml", 0), 0u) << "the XML is whole";
        EXPECT_EQ(files.files.count(c.xml.substr(0, c.xml.size() - 4) + "_集計明細.html"), 0u);
        ASSERT_EQ(desktop.boxes.size(), 1u);
        EXPECT_EQ(desktop.boxes[0].text,
                  "事業概況情報の出力が終了しました。\n集計明細を保存できませんでした。\n\n"
                  "アプリケーションを終了します。");
        EXPECT_EQ(desktop.boxes[0].kind, MessageKind::kInformation);
    }
}

TEST_F(OverviewAppRun, UnwritablePathEndsWithTheXmlFailure) {
    host.Load(kSampleState);
    files.nextOutput.failCreate = true;
    windows.sheetEndCode = 2000;
    Run();
    EXPECT_EQ(PostedCode(), 2);
    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(desktop.boxes[0].text, ClOverviewApp::kReportFailedMessage);
}

TEST_F(OverviewAppRun, FailedAggregationWritesNoFile) {
    host.Load(std::string(kSampleState) +
              R"(, "results": {"nextRowFailAt": 0, "nextRowFailCode": 3})");
    windows.sheetEndCode = 2000;
    Run();
    EXPECT_EQ(PostedCode(), 2);
    EXPECT_TRUE(files.outputs.empty()) << "no report from partial amounts";
}

TEST_F(OverviewAppRun, PastResultsDataStopsBeforeTheSheet) {
    host.Load(
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
    host.Load(R"("user": {"selection": [1, 77]})");
    Run();
    EXPECT_EQ(windows.sheetRuns, 0);
    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(desktop.boxes[0].text, ClOverviewApp::kDatasetNotFoundMessage);
    EXPECT_EQ(PostedCode(), 2);
}

TEST_F(OverviewAppRun, JoinHostSessionAnswersDecideTheCodeSilently) {
    for (const auto& [answer, code] : std::vector<std::pair<int, int>>{{1, 1}, {2, 2}, {-3, 2}}) {
        host = FakeHost();
        desktop = FakeDesktop();
        files.files[kLevelPath] = "[ProgramLevel]\nQB16_G=1\n";
        desktop.commandLine = "4242,49200,2,";
        host.Load(std::string(kSampleState) + R"(, "results": {"joinHostSession": )" +
                  std::to_string(answer) + "}");
        Run();
        EXPECT_EQ(PostedCode(), code) << answer;
        EXPECT_TRUE(desktop.boxes.empty());
        EXPECT_EQ(windows.sheetRuns, 0);
        ExpectLinkClosedLast();
    }
}

TEST_F(OverviewAppRun, RefusedLevelShowsTheHostMessageAndFails) {
    host.Load(kSampleState);
    files.files[kLevelPath] = "[ProgramLevel]\nQB16_G=2\n";
    Run();
    EXPECT_EQ(PostedCode(), 2);
    ASSERT_EQ(host.shown.size(), 1u);
    EXPECT_NE(host.shown[0].text.find("連動コンポーネントの最新版"), std::string::npos);
    EXPECT_NE(host.shown[0].text.find("ES_APRPACKAGENAME"), std::string::npos)
        << "the host fills in the package's name";
    EXPECT_EQ(host.shown[0].owner, WindowFromHandleNumber(4242));
    EXPECT_EQ(host.shown[0].title, "事業概況書");
    EXPECT_FALSE(HostHeard("JoinSession")) << "the check comes before joining";
}

TEST_F(OverviewAppRun, MissingLevelFileRefusesWithoutHostWindowWhenNotLaunched) {
    host.Load(kSampleState);
    files.files.clear();
    desktop.commandLine = "";
    Run();
    EXPECT_TRUE(desktop.posts.empty());
    ASSERT_EQ(host.shown.size(), 1u);
    EXPECT_EQ(host.shown[0].owner, nullptr);
    EXPECT_NE(host.shown[0].text.find("動作環境が不正です。"), std::string::npos);
}

TEST_F(OverviewAppRun, IncompleteCommandLineLeavesTheHostAloneAndPresetsNothing) {
    host.Load(kSampleState);
    desktop.commandLine = "4242,49200,";
    Run();
    EXPECT_TRUE(desktop.events.empty());
    EXPECT_EQ(windows.sheetParent, nullptr);
    EXPECT_EQ(windows.seenConditions.outputPath, "");
    EXPECT_FALSE(HostHeard("OwnerWindow 4242"));
}

TEST_F(OverviewAppRun, RefusedConnectEndsSilentlyButStillSignsOut) {
    host.Load(R"("results": {"connect": 2})");
    Run();
    EXPECT_FALSE(desktop.commandLineRead);
    EXPECT_TRUE(desktop.events.empty());
    EXPECT_EQ(host.calls, (std::vector<std::string>{"Connect", "Close"}));
}

TEST_F(OverviewAppRun, AnUnexpectedFailureAnywhereEndsWithOneMessageCodeTwoAndTheHostFreed) {
    RecordingSheetView view;
    const struct {
        const char* stage;
        std::function<void(OverviewAppRun&)> arrange;
    } stages[] = {
        {"sheet",
         [](OverviewAppRun& t) {
             t.windows.user = [](ClConditionEntrySheet&) -> int {
                 throw std::runtime_error("a window failed");
             };
         }},
        {"save",
         [&view](OverviewAppRun& t) {
             t.host.state.conditionsFolder = "C:\\cond\\";
             t.files.folders = {"C:", "C:\\cond"};
             t.files.writesThrow = true;
             view.answerYes = true;
             t.windows.user = [&view](ClConditionEntrySheet& sheet) {
                 sheet.AttachView(&view);
                 sheet.OnExit();  // leaving with saving writes the file
                 return 2001;
             };
         }},
        {"aggregation", [](OverviewAppRun& t) { t.host.totalsThrow = true; }},
        {"report", [](OverviewAppRun& t) { t.files.writesThrow = true; }},
    };
    for (const auto& [stage, arrange] : stages) {
        SCOPED_TRACE(stage);
        host = FakeHost();
        host.Load(kSampleState);
        desktop = FakeDesktop();
        desktop.commandLine = "4242,49200,2,C:\\out\\x.xml";
        windows = FakeWindows();
        windows.sheetEndCode = 2000;
        files = MemoryFileSystem();
        files.files[kLevelPath] = "[ProgramLevel]\r\nQB16_G=1\r\n";
        arrange(*this);
        Run();
        EXPECT_EQ(PostedCode(), 2);
        ASSERT_EQ(desktop.boxes.size(), 1u);
        EXPECT_EQ(desktop.boxes[0].text, ClOverviewApp::kUnexpectedFailureMessage);
        EXPECT_EQ(desktop.boxes[0].kind, MessageKind::kError);
        ExpectLinkClosedLast();
        EXPECT_EQ(desktop.events.back(), "enable 4242");
        EXPECT_NE(std::find(desktop.events.begin(), desktop.events.end(), "foreground 4242"),
                  desktop.events.end());
    }
}

TEST_F(OverviewAppRun, ACrashEndsTheRunOnceAsAnUnexpectedFailure) {
    host.Load(kSampleState);
    const FakeHost freshHost = host;
    const FakeDesktop freshDesktop = desktop;
    for (const bool whileClosing : {false, true}) {
        SCOPED_TRACE(whileClosing ? "while the host's session closes" : "during the aggregation");
        host = freshHost;
        desktop = freshDesktop;
        windows.sheetEndCode = 2000;
        ClOverviewApp app(host, desktop, windows, files, kTestEdition);
        // As if the process crashed there.
        windows.user = [&app, whileClosing](ClConditionEntrySheet&) {
            if (!whileClosing) app.EndAfterCrash();
            return 2001;
        };
        if (whileClosing) host.onClose = [&app] { app.EndAfterCrash(); };
        app.InitInstance();
        app.ExitInstance();
        EXPECT_EQ(PostedCode(), 2) << "posted once, with the failure's code";
        ASSERT_EQ(desktop.boxes.size(), 1u);
        EXPECT_EQ(desktop.boxes[0].text, ClOverviewApp::kUnexpectedFailureMessage);
        EXPECT_EQ(std::count(host.calls.begin(), host.calls.end(), "Close"), 1);
        EXPECT_EQ(desktop.events.back(), "enable 4242");
    }
}

TEST_F(OverviewAppRun, AHostPathTooLongForAnyPathFailsBeforeTheSheet) {
    host.Load(kSampleState);
    desktop.commandLine = "4242,49200,2,C:\\" + std::string(258, 'p');
    Run();
    EXPECT_EQ(windows.sheetRuns, 0);
    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(desktop.boxes[0].text, ClOverviewApp::kPresetPathTooLongMessage);
    EXPECT_EQ(PostedCode(), 2);
}

}  // namespace
