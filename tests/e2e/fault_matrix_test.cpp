// The run under faults, end to end: each fault the host stand-in can
// inject, a full disk, a read-only conditions folder, damaged files, a
// host path too long and an unexpected failure. The select edition runs on
// the sample dataset 12 through the host simulator and a person's keys;
// every case checks the completion code, the messages shown, the host
// window enabled again, the host link closed in order, the previous XML
// byte for byte and, where the case must not change it, the saved
// conditions byte for byte.
#include <gtest/gtest.h>

#include <ostream>
#include <random>
#include <string>
#include <vector>

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
    L"ホストから指定された出力先のパスが長すぎます。\n\nアプリケーションを終了します。";
const std::wstring kUnexpected =
    L"予期しないエラーが発生したため、処理を中止しました。\n\nアプリケーションを終了します。";
const std::wstring kNotSaved =
    L"集計条件を保存できませんでした。\n次回の起動時には、今回入力した集計条件は表示されません。";

const char kPreviousXml[] = "<?xml version=\"1.0\"?><REPORT>the previous good file</REPORT>\r\n";
// Saved conditions exactly as the program writes them, so that a save
// that rewrites them leaves the same bytes.
const char kSavedConditions[] =
    "[P1]\n3/0/0/\n[終了]\n[P2/P3]\n2/0xa5d0000c0273a9800000000000000002[END]\n[終了]\n";

// The program file a case damages with random bytes.
enum class Damage { kNone, kItemDefinitions, kDefaultMapping, kSupportInfo };
// Where the XML goes.
enum class Output { kTestFolder, kFullDisk, kTooLong };

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
};
// clang-format on

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
    WriteFileBytes(statePath_, state);
    const std::wstring savedPath = conditions + L"QB16_G_admin_1_12.env";
    if (!c.readOnlyConditions) {
        WriteFileBytes(savedPath, c.damagedConditions ? RandomBytes(3) : kSavedConditions);
    }
    const std::string savedBefore = ReadFileBytes(savedPath);

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
    for (const std::wstring& message : c.messages) {
        HWND box = gui::WaitForMessageBox();
        ASSERT_NE(box, nullptr) << "no message: " << Utf8(message);
        EXPECT_EQ(gui::MessageBoxText(box).substr(0, message.size()), message);
        gui::PressKey(box, VK_RETURN);
        ASSERT_TRUE(gui::WaitUntilGone(box));
    }
    const ProcessResult result = Finish();
    EXPECT_EQ(result.output, std::string("completion ") + c.completion +
                                 "\nhost-window disabled-during-run=" +
                                 (c.hostWindowDisabled ? "yes" : "no") + " enabled-after=yes\n");
    EXPECT_TRUE(JournalEndsWithSignOut()) << ReadFileBytes(journalPath_);
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

}  // namespace
