#include "tests/e2e/scenario.h"

#include <sstream>

const std::wstring Scenario::kSheetTitle = L"事業概況書 - 集計条件";

std::wstring HostPath(const std::string& unixPath) {
    std::wstring path = L"Z:" + Wide(unixPath);
    for (wchar_t& c : path)
        if (c == L'/') c = L'\\';
    return path;
}

std::string SampleState(int no, const std::wstring& folder, const std::string& extra) {
    std::string state = ReadFileBytes(HostPath(LDG_SOURCE_DIR "/samples/sample-company.json"));
    const std::string selection = "\"selection\": [1, 12]";
    const std::size_t at = state.find(selection);
    const std::size_t folders = state.find("\"folders\": {");
    const std::size_t end = state.find('}', folders);
    if (at == std::string::npos || folders == std::string::npos || end == std::string::npos) {
        return "";
    }
    state.replace(folders, end + 1 - folders,
                  "\"folders\": {\"output\": " + JsonString(folder) +
                      ", \"conditions\": " + JsonString(folder + L"conditions\\") + "}");
    state.replace(state.find(selection), selection.size(),
                  "\"selection\": [1, " + std::to_string(no) + "]");
    if (!extra.empty()) state.insert(state.find('{') + 1, extra + ", ");
    return state;
}

std::wstring WrittenMessage(const std::wstring& detailPath) {
    const std::string detail = ReadFileBytes(detailPath);
    const auto count = [&detail](const std::string& level) {
        int n = 0;
        for (std::size_t at = detail.find(level); at != std::string::npos;
             at = detail.find(level, at + 1))
            ++n;
        return std::to_wstring(n);
    };
    return L"事業概況情報の出力が終了しました。\n集計明細：" +
           detailPath.substr(detailPath.rfind(L'\\') + 1) + L"\n点検：要確認 " +
           count("data-level=\"check\"") + L"件、参考 " + count("data-level=\"note\"") +
           L"件\n\nアプリケーションを終了します。";
}

void Scenario::SetUp() {
    folder_ = MakeTempFolder();
    statePath_ = folder_ + L"state.json";
    journalPath_ = folder_ + L"journal.log";
    conditionsFolder_ = folder_ + L"conditions\\";
    CreateDirectoryW(conditionsFolder_.c_str(), nullptr);
}

void Scenario::TearDown() {
    if (running_.process != nullptr) KillProcess(running_);
    RemoveFolderTree(folder_);
}

void Scenario::WriteState(const std::string& datasetExtra, const std::string& extra) {
    WriteFileBytes(statePath_,
                   u8R"({"package": {"name": "見本会計１８"}, "user": {"selection": [1, 12]},
        "folders": {"conditions": )" +
                       JsonString(conditionsFolder_) + R"(, "output": )" + JsonString(folder_) +
                       u8R"(},
        "datasets": [{"id": "DS0012", "no": 12, "company": "株式会社見本商事",
            "periodStart": 20250401, "periodEnd": 20260331)" +
                       datasetExtra + R"(}], "journal": )" + JsonString(journalPath_) + extra +
                       "}");
}

void Scenario::Start(const std::wstring& options, const std::wstring& programPath) {
    running_ = StartHostSimulator(L"--timeout 60 --state \"" + statePath_ + L"\" " + options +
                                  L" \"" + programPath + L"\"");
    ASSERT_NE(running_.process, nullptr)
        << "the host simulator did not start, error " << running_.startError;
}

ProcessResult Scenario::Finish() {
    return FinishProcess(running_);
}

std::vector<std::string> Scenario::Journal() const {
    std::istringstream in(ReadFileBytes(journalPath_));
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

bool Scenario::JournalInOrder(const std::vector<std::string>& expected) const {
    std::size_t next = 0;
    for (const std::string& line : Journal()) {
        if (next < expected.size() && line.rfind(expected[next], 0) == 0) ++next;
    }
    return next == expected.size();
}

bool Scenario::JournalEndsWithSignOut() const {
    const std::vector<std::string> journal = Journal();
    return journal.size() >= 3 &&
           std::vector<std::string>(journal.end() - 3, journal.end()) ==
               std::vector<std::string>{"SignOut", "Disconnect", "ReleaseInstance"};
}

void Scenario::CancelSheetWithoutSaving(HWND sheet) {
    gui::PressKey(sheet, VK_ESCAPE);
    HWND question = gui::WaitForMessageBox();
    ASSERT_NE(question, nullptr) << "no exit question";
    EXPECT_EQ(gui::MessageBoxText(question), L"入力した情報を保存して終了しますか？");
    gui::PressButton(question, IDNO);
    ASSERT_TRUE(gui::WaitUntilGone(question));
    ExpectMessageAndConfirm(L"｢事業概況書｣の集計を中止します。");
}

void Scenario::WaitForSheetAndCancel() {
    HWND sheet = gui::WaitForWindowTitled(kSheetTitle);
    ASSERT_NE(sheet, nullptr) << "the sheet did not open";
    CancelSheetWithoutSaving(sheet);
}

void Scenario::WaitForSheetAndRun() {
    HWND sheet = gui::WaitForWindowTitled(kSheetTitle);
    ASSERT_NE(sheet, nullptr) << "the sheet did not open";
    gui::PressKey(sheet, VK_F12);
}

namespace {

// The box's caption and text checked, then OK.
void CheckAndConfirm(HWND box, const std::wstring& text) {
    EXPECT_EQ(gui::WindowText(box), L"事業概況書");
    EXPECT_EQ(gui::MessageBoxText(box), text);
    gui::PressButton(box, IDOK);
    ASSERT_TRUE(gui::WaitUntilGone(box));
}

}  // namespace

void Scenario::ExpectMessageAndConfirm(const std::wstring& text) {
    HWND box = gui::WaitForMessageBox();
    ASSERT_NE(box, nullptr) << "no message box";
    CheckAndConfirm(box, text);
}

void Scenario::ExpectWrittenAndConfirm(const std::wstring& detailPath) {
    HWND box = gui::WaitForMessageBox();
    ASSERT_NE(box, nullptr) << "no closing message";
    CheckAndConfirm(box, WrittenMessage(detailPath));
}
