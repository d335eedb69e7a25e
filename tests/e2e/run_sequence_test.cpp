// The run's paths from start to end, through the host simulator and the
// select edition's real windows.
#include <gtest/gtest.h>

#include "tests/e2e/scenario.h"

namespace {

const std::wstring kLevelMissing =
    L"動作環境が不正です。\n見本会計１８が正しくインストールされているか確認してください。";
const std::wstring kPackageOutdated =
    L"ご利用の連動コンポーネントは、インストールされている見本会計１８では使用できません。\n"
    L"見本会計１８の最新版を入手してインストールしてからご利用ください。";
const std::wstring kComponentOutdated =
    L"ご利用の連動コンポーネントは、インストールされている見本会計１８では使用できません。\n"
    L"連動コンポーネントの最新版を入手してインストールしてからご利用ください。";

class RunSequence : public Scenario {
  protected:
    std::wstring Program() const { return ProgramFolder() + L"LdgSel18ToQb16_G.exe"; }
    // The program in a folder of its own, with the given level file (none
    // when `levelFile` is null).
    std::wstring ProgramWithLevelFile(const char* levelFile) {
        const std::wstring programs = folder_ + L"programs\\";
        CreateDirectoryW(programs.c_str(), nullptr);
        CopyProgramsTo(programs);
        if (levelFile != nullptr) WriteFileBytes(programs + L"KodamaDef.ini", levelFile);
        return programs + L"LdgSel18ToQb16_G.exe";
    }
    void ExpectCode(const ProcessResult& result, int code) {
        EXPECT_EQ(result.output, "completion function=2 code=" + std::to_string(code) +
                                     "\nhost-window disabled-during-run=yes enabled-after=yes\n");
        EXPECT_EQ(result.exitCode, static_cast<unsigned long>(code));
        EXPECT_TRUE(JournalEndsWithSignOut()) << ReadFileBytes(journalPath_);
    }
};

TEST_F(RunSequence, PastResultsDataEndsWithItsMessageBeforeAnySheet) {
    WriteState(R"(, "introMonth": 99)");
    Start(L"", Program());
    HWND box = gui::WaitForMessageBox();
    ASSERT_NE(box, nullptr);
    EXPECT_FALSE(gui::WindowTitledExists(kSheetTitle));
    EXPECT_EQ(
        gui::MessageBoxText(box),
        L"過去実績データは、連携の対象として使用できません。\n\nアプリケーションを終了します。");
    gui::PressButton(box, IDOK);
    ExpectCode(Finish(), 1);
    EXPECT_FALSE(JournalInOrder({"GetFolderPath"})) << "no sheet was built";
}

struct LevelCase {
    const char* levelFile;
    const std::wstring* message;
};

class LevelRefused : public RunSequence, public ::testing::WithParamInterface<LevelCase> {};

TEST_P(LevelRefused, ShowsTheHostsMessageWithThePackageNameAndFails) {
    WriteState();
    Start(L"", ProgramWithLevelFile(GetParam().levelFile));
    ExpectMessageAndConfirm(*GetParam().message);
    ExpectCode(Finish(), 2);
    EXPECT_FALSE(JournalInOrder({"JoinHostSession"}));
}

INSTANTIATE_TEST_SUITE_P(
    Levels, LevelRefused,
    ::testing::Values(LevelCase{nullptr, &kLevelMissing},
                      LevelCase{"[ProgramLevel]\r\nQB16_G=0\r\n", &kPackageOutdated},
                      LevelCase{"[ProgramLevel]\r\nQB16_G=2\r\n", &kComponentOutdated}));

TEST_F(RunSequence, LevelFileWithoutTheKeyIsAccepted) {
    WriteState();
    Start(L"", ProgramWithLevelFile("[Other]\r\nQB16_G=5\r\n"));
    WaitForSheetAndCancel();
    ExpectCode(Finish(), 1);
}

TEST_F(RunSequence, JoinHostSessionAnswersEndTheRunSilently) {
    for (const int answer : {1, 2}) {
        WriteState("", R"(, "results": {"joinHostSession": )" + std::to_string(answer) + "}");
        DeleteFileW(journalPath_.c_str());
        Start(L"", Program());
        ExpectCode(Finish(), answer);
        EXPECT_FALSE(JournalInOrder({"GetTable"})) << "no dataset is looked up";
    }
}

TEST_F(RunSequence, CancelWritesNothing) {
    WriteState();
    Start(L"", Program());
    WaitForSheetAndCancel();
    ExpectCode(Finish(), 1);
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW((conditionsFolder_ + L"*.env").c_str(), &entry);
    EXPECT_EQ(find, INVALID_HANDLE_VALUE) << "a conditions file was written";
    if (find != INVALID_HANDLE_VALUE) FindClose(find);
}

TEST_F(RunSequence, UnwritableReportEndsWithTheXmlFailure) {
    WriteState();
    // A folder stands where the report should go: the checks pass, the write fails.
    const std::wstring target = folder_ + L"taken.xml";
    CreateDirectoryW(target.c_str(), nullptr);
    Start(L"--output \"" + target + L"\"", Program());
    ASSERT_NO_FATAL_FAILURE(WaitForSheetAndRun());
    HWND question = gui::WaitForMessageBox();
    ASSERT_NE(question, nullptr);
    if (gui::MessageBoxText(question).find(L"上書き") != std::wstring::npos) {
        gui::PressButton(question, IDYES);
        ASSERT_TRUE(gui::WaitUntilGone(question));
    }
    ExpectMessageAndConfirm(L"XMLファイルの出力に失敗しました。\n\nアプリケーションを終了します。");
    ExpectCode(Finish(), 2);
}

TEST_F(RunSequence, ModifiedKeysAndAltF4LeaveTheSheetOpen) {
    WriteState();
    Start(L"", Program());
    HWND sheet = gui::WaitForWindowTitled(kSheetTitle);
    ASSERT_NE(sheet, nullptr);
    gui::PressKey(sheet, VK_F12, /*shift=*/true);
    gui::PressKey(sheet, VK_ESCAPE, false, /*ctrl=*/true);
    gui::PressKey(sheet, VK_F4, false, false, /*alt=*/true);
    EXPECT_EQ(gui::WaitForMessageBox(500), nullptr) << "a modified key acted";
    EXPECT_TRUE(IsWindow(sheet) && IsWindowVisible(sheet));
    CancelSheetWithoutSaving(sheet);
    ExpectCode(Finish(), 1);
}

TEST_F(RunSequence, WithoutCommandLineTheRunPostsNothing) {
    WriteState();
    Start(L"--raw-args \"\"", Program());
    HWND sheet = gui::WaitForWindowTitled(kSheetTitle);
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(GetParent(sheet), nullptr) << "no host window to belong to";
    CancelSheetWithoutSaving(sheet);
    const ProcessResult result = Finish();
    EXPECT_EQ(result.output,
              "completion none\nhost-window disabled-during-run=no enabled-after=yes\n");
    EXPECT_EQ(result.exitCode, 99u);
}

TEST_F(RunSequence, TwoCommasOnlyLeaveTheHostWindowAlone) {
    WriteState();
    Start(L"--raw-args 5,6,", Program());
    WaitForSheetAndCancel();
    const ProcessResult result = Finish();
    EXPECT_EQ(result.output,
              "completion none\nhost-window disabled-during-run=no enabled-after=yes\n");
}

TEST_F(RunSequence, FunctionIdMinusOneArrivesWithAllBitsSet) {
    WriteState();
    Start(L"--function-id -1 --output C:\\out\\a,b.xml", Program());
    WaitForSheetAndCancel();
    const ProcessResult result = Finish();
    EXPECT_EQ(result.output,
              "completion function=-1 code=1\n"
              "host-window disabled-during-run=yes enabled-after=yes\n");
}

// A character code page 932 lacks, in the host's output path or in the
// program's folder: the best fit would name another file or folder (a yen
// sign taken for a backslash), so the run ends before the sheet, with code 2.
TEST_F(RunSequence, TextTheCodePageCannotHoldEndsTheRunBeforeTheSheet) {
    WriteState();
    const std::wstring programs = folder_ + L"programs\u00A5\\";
    CreateDirectoryW(programs.c_str(), nullptr);
    CopyProgramsTo(programs);
    WriteFileBytes(programs + L"KodamaDef.ini", "[ProgramLevel]\r\nQB16_G=1\r\n");
    const struct {
        std::wstring options;
        std::wstring program;
        std::wstring message;
    } cases[] = {
        {L"--output \"" + folder_ + L"a\u00A5b.xml\"", Program(),
         L"会計アプリケーションから指定された出力先のパスに、使用できない文字が含まれています。\n\n"
         L"アプリケーションを終了します。"},
        {L"", programs + L"LdgSel18ToQb16_G.exe",
         L"このプログラムのインストール先のフォルダ名に、使用できない文字が含まれています。\n\n"
         L"アプリケーションを終了します。"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Utf8(c.message));
        Start(c.options, c.program);
        ExpectMessageAndConfirm(c.message);
        EXPECT_FALSE(gui::WindowTitledExists(kSheetTitle));
        ExpectCode(Finish(), 2);
    }
}

}  // namespace
