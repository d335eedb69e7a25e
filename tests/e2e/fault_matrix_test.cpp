// The run under faults, end to end: each fault the host stand-in can
// inject, a full disk, a read-only conditions folder, damaged files, a
// host path too long, an unexpected failure, and what an office's other
// programs do to the files: the XML, the saved conditions or the detail
// held open, the XML read-only. The select edition runs on the sample
// dataset 12 through the host simulator and a person's keys; every case
// checks the completion code, the messages shown, the host window enabled
// again, the host link closed in order, the previous XML byte for byte
// and, where the case must not change it, the saved conditions byte for
// byte.
#include <gtest/gtest.h>

#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "res/condition_sheet_res.h"
#include "tests/e2e/scenario.h"
#include "tests/win/folder_entries.h"

namespace {

// The closing message up to the detail's name.
const std::wstring kWritten =
    L"事業概況情報の出力が終了しました。\n集計明細：overview_集計明細.html";
const std::wstring kXmlFailed =
    L"XMLファイルの出力に失敗しました。\n\nアプリケーションを終了します。";
const std::wstring kItemsUnreadable =
    L"項目定義ファイル（LdgSel18ToQb16_G_GaiKmk.dat）を読み込めませんでした。\n\n"
    L"アプリケーションを終了します。";
const std::wstring kPathTooLong =
    L"会計アプリケーションから指定された出力先のパスが長すぎます。\n\n"
    L"アプリケーションを終了します。";
const std::wstring kUnexpected =
    L"予期しないエラーが発生したため、処理を中止しました。\n\nアプリケーションを終了します。";
const std::wstring kNotSaved =
    L"集計条件を保存できませんでした。\n次回の起動時には、今回入力した集計条件は表示されません。";
const std::wstring kXmlInUse =
    L"出力先のファイルは他のアプリケーションで使用中です。\n\n"
    L"ファイルを閉じてから、もう一度実行してください。";
const std::wstring kXmlReadOnly =
    L"出力先のファイルは読み取り専用のため、上書きできません。\n\n出力先を変更してください。";
const std::wstring kConditionsUnreadable =
    L"保存されている集計条件（QB16_G_admin_1_12.env）を読み込めませんでした。\n\n"
    L"アプリケーションを終了します。";
const std::wstring kDatasetChanged =
    L"開いているデータが変更されたため、処理を中止しました。\n\nアプリケーションを終了します。";
const std::wstring kUnsafeUserId =
    L"ログイン中の利用者ID（x\\..\\..\\escaped）には、ファイル名に使えない文字が含まれています。"
    L"\nそのため、集計条件の読み込みと保存はできません。\n\n今回は初期設定の集計条件で表示します。";
const std::wstring kWrittenWithoutDetail =
    L"事業概況情報の出力が終了しました。\n集計明細を保存できませんでした。";

const char kPreviousXml[] = "<?xml version=\"1.0\"?><REPORT>the previous good file</REPORT>\r\n";
// Saved conditions exactly as the program writes them, so that a save
// that rewrites them leaves the same bytes.
const char kSavedConditions[] =
    "[P1]\n3/0/0/\n[終了]\n[P2/P3]\n2/0xa5d0000c0273a9800000000000000002[END]\n[終了]\n";

// The program file a case damages with random bytes.
enum class Damage { kNone, kItemDefinitions, kDefaultMapping, kSupportInfo };
// Where the XML goes.
enum class Output { kTestFolder, kFullDisk, kTooLong };
// What another program does to a file while the program runs. The XML's
// hold ends once its message has been confirmed, and "実行(F12)" is
// pressed again.
enum class Hold { kNone, kXmlOpen, kXmlReadOnly, kSavedConditionsOpen, kDetailOpen };

struct FaultCase {
    const char* name;
    std::string results;                 // members of the state's "results", or empty
    std::vector<std::wstring> messages;  // in the order they appear, each confirmed
    const char* completion;              // the simulator's first line after "completion "
    bool pressRun = true;                // F12 once the sheet shows
    bool xmlKept = true;
    bool conditionsKept = true;
    Damage damage = Damage::kNone;
    Output output = Output::kTestFolder;
    bool readOnlyConditions = false;
    bool damagedConditions = false;
    bool hostWindowDisabled = true;
    Hold hold = Hold::kNone;
    std::string userId{};  // the host's user id; empty: admin
    // 40 totals rows the host takes 250 ms for each, and the progress
    // window asked from this process all the while.
    bool slowHost = false;
    bool signsOutInOrder = true;
    // The sheet opens after the first message; "実行(F12)" is pressed then.
    bool runAfterFirstMessage = false;

    FaultCase& Holding(Hold h) {
        hold = h;
        runAfterFirstMessage = h == Hold::kXmlOpen || h == Hold::kXmlReadOnly;
        return *this;
    }
    FaultCase& RunAfterFirstMessage() {
        runAfterFirstMessage = true;
        return *this;
    }
    FaultCase& User(std::string id) {
        userId = std::move(id);
        return *this;
    }
    FaultCase& SlowHost() {
        slowHost = true;
        return *this;
    }
    FaultCase& EndsInTheSignOut() {
        signsOutInOrder = false;
        return *this;
    }
};

// A failing case names itself instead of printing its bytes.
void PrintTo(const FaultCase& c, std::ostream* out) {
    *out << c.name;
}

const char kRunFailed[] = "function=2 code=2";
const char kRunDone[] = "function=2 code=0";

// clang-format off
const FaultCase kCases[] = {
    {"ConnectRefused", R"("connect": 1)", {}, "none", false, true, true, Damage::kNone,
     Output::kTestFolder, false, false, false},
    {"SessionNotJoined", R"("joinHostSession": 1)", {}, "function=2 code=1", false},
    {"SessionRefused", R"("joinHostSession": 2)", {}, kRunFailed, false},
    {"TaxSettingsUnreadable", R"("readSettings": 5)", {kWritten}, kRunDone, true, false},
    {"RowCountFails", R"("getRowCount": 3)", {kXmlFailed}, kRunFailed},
    {"SeekFails", R"("seekRow": 4)", {kXmlFailed}, kRunFailed},
    {"FirstRowFails", R"("nextRowFailAt": 0, "nextRowFailCode": 7)", {kXmlFailed}, kRunFailed},
    {"MiddleRowFails", R"("nextRowFailAt": 71, "nextRowFailCode": 7)", {kXmlFailed}, kRunFailed},
    {"LastRowFails", R"("nextRowFailAt": 142, "nextRowFailCode": 7)", {kXmlFailed}, kRunFailed},
    {"CrashInTheHostLibrary", R"("nextRowCrashAt": 71)", {kUnexpected}, kRunFailed},
    {"FullDisk", "", {kXmlFailed}, kRunFailed, true, true, true, Damage::kNone, Output::kFullDisk},
    {"ReadOnlyConditionsFolder", "", {kNotSaved, kWritten}, kRunDone, true, false, true,
     Damage::kNone, Output::kTestFolder, true},
    {"DamagedItemDefinitions", "", {kItemsUnreadable}, "function=2 code=1", false, true, true,
     Damage::kItemDefinitions},
    {"DamagedDefaultMapping", "", {kWritten}, kRunDone, true, false, true, Damage::kDefaultMapping},
    {"DamagedSavedConditions", "", {kWritten}, kRunDone, true, false, false, Damage::kNone,
     Output::kTestFolder, false, true},
    {"DamagedSupportInfo", "", {kWritten}, kRunDone, true, false, true, Damage::kSupportInfo},
    {"HostPathTooLong", "", {kPathTooLong}, kRunFailed, false, true, true, Damage::kNone,
     Output::kTooLong},
    FaultCase{"XmlOpenElsewhere", "", {kXmlInUse, kWritten}, kRunDone, true, false}
        .Holding(Hold::kXmlOpen),
    FaultCase{"XmlReadOnly", "", {kXmlReadOnly, kWritten}, kRunDone, true, false}
        .Holding(Hold::kXmlReadOnly),
    FaultCase{"SavedConditionsHeld", "", {kConditionsUnreadable}, kRunFailed, false}
        .Holding(Hold::kSavedConditionsOpen),
    FaultCase{"DetailHeldOpen", "", {kWrittenWithoutDetail}, kRunDone, true, false}
        .Holding(Hold::kDetailOpen),
    FaultCase{"SlowHost", R"("nextRowDelayMs": 250)", {kWritten}, kRunDone, true, false}
        .SlowHost(),
    FaultCase{"CrashThenCrashAgainInTheSignOut", R"("nextRowCrashAt": 71, "signOutCrash": 1)",
              {kUnexpected}, kRunFailed}
        .EndsInTheSignOut(),
    FaultCase{"AnotherDatasetOpenedMeanwhile", R"("switchDatasetAtTotals": 13)",
              {kDatasetChanged}, kRunFailed},
    FaultCase{"UserIdLeavingTheFolder", "", {kUnsafeUserId, kWritten}, kRunDone, false, false}
        .User(R"(x\\..\\..\\escaped)").RunAfterFirstMessage(),
};
// clang-format on

// Sends the progress window a message from this process every tenth of a
// second until it is hidden: false when one is not answered within 1 s,
// as Windows would then take the window for one that has stopped.
bool ProgressWindowAnswersThroughout(int& answered) {
    HWND progress = gui::WaitForWindow([](HWND window) {
        wchar_t title[32] = {};
        GetWindowTextW(window, title, 32);  // the stored caption: no message sent
        return std::wstring(title).rfind(L"集計中", 0) == 0;
    });
    if (progress == nullptr) return false;
    answered = 0;
    const ULONGLONG deadline = GetTickCount64() + gui::kWaitMs * 3;
    while (IsWindow(progress) && IsWindowVisible(progress) && GetTickCount64() < deadline) {
        DWORD_PTR result = 0;
        if (SendMessageTimeoutW(progress, WM_NULL, 0, 0, SMTO_NORMAL, 1000, &result) == 0) {
            return !IsWindow(progress);
        }
        ++answered;
        Sleep(gui::kPollMs * 5);
    }
    return true;
}

// The sample state with a first dataset numbered 12 of 40 empty totals rows.
void MakeTheHostSlow(std::string& state) {
    std::string rows;
    for (int row = 0; row < 40; ++row)
        rows += row == 0 ? "{}" : ", {}";
    const std::string datasets = "\"datasets\": [";
    state.insert(state.find(datasets) + datasets.size(),
                 u8R"({"id": "DS0012", "no": 12, "company": "株式会社見本商事",
                    "periodStart": 20250401, "periodEnd": 20260331, "totals": [)" +
                     rows + "]}, ");
}

std::string RandomBytes(unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(1500, '\0');
    for (char& byte : bytes)
        byte = static_cast<char>(random() & 0xFF);
    return bytes;
}

// The build's folder of small file systems that a set-up step mounted as
// root (tests/e2e/fault_mounts.sh); empty when there is none.
std::wstring MountFolder(const wchar_t* name) {
    const std::wstring folder = ProgramFolder() + L"..\\e2e-mounts\\" + name + L"\\";
    return GetFileAttributesW((folder + L".mounted").c_str()) != INVALID_FILE_ATTRIBUTES ? folder
                                                                                         : L"";
}

class FaultMatrix : public Scenario, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(FaultMatrix, EndsSoundlyAndKeepsWhatItMustKeep) {
    const FaultCase& c = GetParam();
    std::wstring conditions = conditionsFolder_;
    if (c.readOnlyConditions) {
        conditions = MountFolder(L"readonly");
        if (conditions.empty()) {
            GTEST_SKIP() << "no read-only folder: mounting one needs root";
        }
        conditions += L"conditions\\";
    }
    std::wstring xml = folder_ + L"overview.xml";
    if (c.output == Output::kFullDisk) {
        const std::wstring full = MountFolder(L"full");
        if (full.empty()) {
            GTEST_SKIP() << "no full disk: mounting a small tmpfs needs root";
        }
        xml = full + L"previous.xml";
    } else {
        WriteFileBytes(xml, kPreviousXml);
    }
    if (c.output == Output::kTooLong) xml = folder_ + std::wstring(250, L'x') + L".xml";
    const std::string previousXml = ReadFileBytes(xml);

    std::string extra = "\"journal\": " + JsonString(journalPath_);
    if (!c.results.empty()) extra += ", \"results\": {" + c.results + "}";
    std::string state = SampleState(12, folder_, extra);
    ASSERT_FALSE(state.empty()) << "the sample state has changed its layout";
    const std::string from = JsonString(folder_ + L"conditions\\");
    state.replace(state.find(from), from.size(), JsonString(conditions));
    if (!c.userId.empty()) {
        const std::string admin = "\"id\": \"admin\"";
        state.replace(state.find(admin), admin.size(), "\"id\": \"" + c.userId + "\"");
    }
    if (c.slowHost) MakeTheHostSlow(state);
    WriteFileBytes(statePath_, state);
    const std::wstring savedPath = conditions + L"QB16_G_admin_1_12.env";
    if (!c.readOnlyConditions) {
        WriteFileBytes(savedPath, c.damagedConditions ? RandomBytes(3) : kSavedConditions);
    }
    const std::string savedBefore = ReadFileBytes(savedPath);

    const std::wstring detail = folder_ + L"overview_集計明細.html";
    if (c.hold == Hold::kDetailOpen) WriteFileBytes(detail, "the previous detail");
    if (c.hold == Hold::kXmlReadOnly) SetFileAttributesW(xml.c_str(), FILE_ATTRIBUTE_READONLY);
    // The tax-return application reads the XML and lets others read it too;
    // a backup program holds the saved conditions, or a browser the detail,
    // for itself.
    HeldFile held(c.hold == Hold::kXmlOpen               ? xml
                  : c.hold == Hold::kSavedConditionsOpen ? savedPath
                  : c.hold == Hold::kDetailOpen          ? detail
                                                         : std::wstring(),
                  c.hold == Hold::kXmlOpen ? FILE_SHARE_READ : 0);

    std::wstring program = ProgramFolder() + L"LdgSel18ToQb16_G.exe";
    if (c.damage != Damage::kNone) {
        const std::wstring programs = folder_ + L"programs\\";
        CreateDirectoryW(programs.c_str(), nullptr);
        CopyProgramsTo(programs);
        WriteFileBytes(programs + L"KodamaDef.ini", "[ProgramLevel]\r\nQB16_G=1\r\n");
        const wchar_t* damaged =
            c.damage == Damage::kItemDefinitions  ? L"LdgSel18ToQb16_G_GaiKmk.dat"
            : c.damage == Damage::kDefaultMapping ? L"LdgSel18ToQb16_G_DefKmk.dat"
                                                  : L"SUPPORT.INF";
        WriteFileBytes(programs + damaged, RandomBytes(static_cast<unsigned>(c.damage)));
        program = programs + L"LdgSel18ToQb16_G.exe";
    }

    Start(L"--function-id 2 --output \"" + xml + L"\"", program);
    if (c.pressRun) {
        ASSERT_NO_FATAL_FAILURE(WaitForSheetAndRun());
    }
    if (c.slowHost) {
        int answered = 0;
        EXPECT_TRUE(ProgressWindowAnswersThroughout(answered))
            << "the progress window did not answer within 1 s after " << answered << " answers";
        EXPECT_GT(answered, 0);
    }
    for (std::size_t i = 0; i < c.messages.size(); ++i) {
        const std::wstring& message = c.messages[i];
        HWND box = gui::WaitForMessageBox();
        ASSERT_NE(box, nullptr) << "no message: " << Utf8(message);
        EXPECT_EQ(gui::MessageBoxText(box).substr(0, message.size()), message);
        gui::PressKey(box, VK_RETURN);
        ASSERT_TRUE(gui::WaitUntilGone(box));
        if (c.runAfterFirstMessage && i == 0) {
            // An XML held: the sheet stayed open, and once the file is
            // free, 実行 goes through.
            held.Release();
            SetFileAttributesW(xml.c_str(), FILE_ATTRIBUTE_NORMAL);
            ASSERT_NO_FATAL_FAILURE(WaitForSheetAndRun());
        }
    }
    const ProcessResult result = Finish();
    held.Release();
    EXPECT_EQ(result.output, std::string("completion ") + c.completion +
                                 "\nhost-window disabled-during-run=" +
                                 (c.hostWindowDisabled ? "yes" : "no") + " enabled-after=yes\n");
    if (c.signsOutInOrder) {
        EXPECT_TRUE(JournalEndsWithSignOut()) << ReadFileBytes(journalPath_);
    } else {
        EXPECT_EQ(Journal().back(), "SignOut");
    }
    if (c.hold == Hold::kDetailOpen) {
        EXPECT_EQ(ReadFileBytes(detail), "the previous detail");
    }
    for (const std::wstring& outside : {folder_ + L"escaped_1_12.env", folder_ + L"QB16_G_x"}) {
        EXPECT_EQ(GetFileAttributesW(outside.c_str()), INVALID_FILE_ATTRIBUTES)
            << "written outside the conditions folder: " << Utf8(outside);
    }
    if (c.xmlKept) {
        EXPECT_EQ(ReadFileBytes(xml), previousXml) << "the previous XML must stay";
        for (const std::wstring& name : FolderEntries(xml.substr(0, xml.rfind(L'\\') + 1))) {
            EXPECT_NE(name.rfind(L"~ldg", 0), 0u) << "a temporary file stayed: " << Utf8(name);
        }
    }
    if (c.conditionsKept) {
        EXPECT_EQ(ReadFileBytes(savedPath), savedBefore);
    }
}

INSTANTIATE_TEST_SUITE_P(Faults, FaultMatrix, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<FaultCase>& info) {
                             return std::string(info.param.name);
                         });

class TwoRuns : public Scenario {};

// One user on one dataset from two host windows at once: both runs end
// with their XML whole and the saved conditions whole, one run's or the
// other's.
TEST_F(TwoRuns, OfOneUserAndDatasetBothEndWithTheirFilesWhole) {
    const std::string state = SampleState(12, folder_, "\"journal\": " + JsonString(journalPath_));
    ASSERT_FALSE(state.empty());
    WriteFileBytes(statePath_, state);
    const std::wstring savedPath = conditionsFolder_ + L"QB16_G_admin_1_12.env";
    WriteFileBytes(savedPath, kSavedConditions);
    const std::wstring program = ProgramFolder() + L"LdgSel18ToQb16_G.exe";
    const std::wstring xmls[] = {folder_ + L"a.xml", folder_ + L"b.xml"};

    Start(L"--function-id 2 --output \"" + xmls[0] + L"\"", program);
    HWND first = gui::WaitForWindowTitled(kSheetTitle);
    ASSERT_NE(first, nullptr);
    RunningProcess second = StartHostSimulator(L"--timeout 60 --state \"" + statePath_ +
                                               L"\" --function-id 2 --output \"" + xmls[1] +
                                               L"\" \"" + program + L"\"");
    ASSERT_NE(second.process, nullptr);
    HWND other = gui::WaitForWindow(
        [first](HWND window) { return window != first && gui::WindowText(window) == kSheetTitle; });
    if (other == nullptr) KillProcess(second);
    ASSERT_NE(other, nullptr) << "the second sheet did not open";
    // Clicked, not typed: the first run's progress window takes the
    // keyboard as soon as it shows.
    gui::PressButton(first, IDB_RUN);
    gui::PressButton(other, IDB_RUN);
    for (int closing = 0; closing < 2; ++closing) {
        HWND box = gui::WaitForMessageBox();
        if (box == nullptr) KillProcess(second);
        ASSERT_NE(box, nullptr) << "closing message " << closing + 1;
        const std::wstring written = L"事業概況情報の出力が終了しました。\n集計明細：";
        EXPECT_EQ(gui::MessageBoxText(box).substr(0, written.size()), written);
        gui::PressKey(box, VK_RETURN);
        ASSERT_TRUE(gui::WaitUntilGone(box));
    }
    for (const ProcessResult& result : {Finish(), FinishProcess(second)}) {
        EXPECT_EQ(result.output.rfind("completion function=2 code=0\n", 0), 0u) << result.output;
    }
    for (const std::wstring& xml : xmls) {
        const std::string bytes = ReadFileBytes(xml);
        EXPECT_EQ(bytes.rfind("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n", 0), 0u);
        EXPECT_EQ(bytes.size() - bytes.rfind("</REPORT>\r\n"), 11u) << "whole: " << Utf8(xml);
    }
    EXPECT_EQ(ReadFileBytes(savedPath), kSavedConditions);
}

}  // namespace
