// The condition sheet as a person uses it: the checks on "実行(F12)", the
// folder and overwrite questions, and the conditions kept for the next run.
#include <gtest/gtest.h>

#include "res/condition_sheet_res.h"
#include "tests/e2e/scenario.h"

namespace {

const std::wstring kWrongPeriod =
    L"集計期間に誤りがあります。\n\n集計期間を設定しなおしてください。";
const std::wstring kCreateFolder =
    L"指定されたフォルダは存在しません。\n\n作成してもよろしいですか？";
const std::wstring kOverwrite = L"同名のファイルが存在します。\n\n上書きしてもよろしいですか？";

class ConditionSheet : public Scenario {
  protected:
    std::wstring Program() const { return ProgramFolder() + L"LdgSel18ToQb16_G.exe"; }
    HWND OpenSheet(const std::wstring& options = L"") {
        Start(options, Program());
        HWND sheet = gui::WaitForWindowTitled(kSheetTitle);
        EXPECT_NE(sheet, nullptr) << "the sheet did not open";
        return sheet;
    }
    void SetText(HWND sheet, int id, const std::wstring& text) {
        gui::SetControlText(gui::FindControl(sheet, id), text);
    }
    // Answers the question with `button` after checking its text.
    void Answer(const std::wstring& text, int button) {
        HWND box = gui::WaitForMessageBox();
        ASSERT_NE(box, nullptr) << "no question";
        EXPECT_EQ(gui::MessageBoxText(box), text);
        gui::PressButton(box, button);
        ASSERT_TRUE(gui::WaitUntilGone(box));
    }
    std::wstring SavedFile() const { return conditionsFolder_ + L"QB16_G_admin_1_12.env"; }
};

TEST_F(ConditionSheet, WrongEndMonthIsRefusedAndTheFocusReturnsToIt) {
    WriteState();
    HWND sheet = OpenSheet();
    ASSERT_NE(sheet, nullptr);
    SetText(sheet, IDE_END_MONTH, L"13");
    SetText(sheet, IDE_OUTPUT_PATH, folder_ + L"a.xml");
    gui::PressKey(sheet, VK_F12);
    ExpectMessageAndConfirm(kWrongPeriod);
    EXPECT_TRUE(IsWindowVisible(sheet)) << "the sheet stays open";
    // The focus moves once the box has returned in the program: poll for it.
    EXPECT_TRUE(gui::WaitUntil([sheet] { return gui::FocusedControlId(sheet) == IDE_END_MONTH; }))
        << "focus on " << gui::FocusedControlId(sheet);
    CancelSheetWithoutSaving(sheet);
    EXPECT_EQ(Finish().exitCode, 1u);
}

TEST_F(ConditionSheet, MissingFolderAnsweredYesIsCreatedAndTheReportWritten) {
    WriteState();
    HWND sheet = OpenSheet();
    ASSERT_NE(sheet, nullptr);
    const std::wstring target = folder_ + L"新しい\\表\\overview.xml";
    SetText(sheet, IDE_OUTPUT_PATH, target);
    gui::PressKey(sheet, VK_F12);
    Answer(kCreateFolder, IDYES);
    ExpectWrittenAndConfirm(folder_ + L"新しい\\表\\overview_集計明細.html");
    EXPECT_EQ(Finish().exitCode, 0u);
    EXPECT_NE(GetFileAttributesW(target.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(ReadFileBytes(target).rfind("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n", 0),
              0u);
}

TEST_F(ConditionSheet, ExistingFileAnsweredNoKeepsTheSheetOpen) {
    WriteState();
    const std::wstring target = folder_ + L"old.xml";
    WriteFileBytes(target, "keep me");
    HWND sheet = OpenSheet();
    ASSERT_NE(sheet, nullptr);
    SetText(sheet, IDE_OUTPUT_PATH, target);
    gui::PressKey(sheet, VK_F12);
    Answer(kOverwrite, IDNO);
    EXPECT_TRUE(IsWindowVisible(sheet));
    EXPECT_EQ(ReadFileBytes(target), "keep me");
    CancelSheetWithoutSaving(sheet);
    EXPECT_EQ(Finish().exitCode, 1u);
}

TEST_F(ConditionSheet, SavedConditionsComeBackOnTheNextRun) {
    WriteState();
    HWND sheet = OpenSheet();
    ASSERT_NE(sheet, nullptr);
    const std::wstring target = folder_ + L"kept.xml";
    SetText(sheet, IDE_END_MONTH, L"9");
    SetText(sheet, IDE_OUTPUT_PATH, target);
    const bool taxBefore = gui::IsChecked(gui::FindControl(sheet, IDX_TAX_INCLUSIVE));
    gui::Click(sheet, gui::FindControl(sheet, IDX_TAX_INCLUSIVE));
    gui::PressKey(sheet, VK_ESCAPE);
    Answer(L"入力した情報を保存して終了しますか？", IDYES);
    ExpectMessageAndConfirm(L"｢事業概況書｣の集計を中止します。");
    EXPECT_EQ(Finish().exitCode, 1u);
    ASSERT_NE(GetFileAttributesW(SavedFile().c_str()), INVALID_FILE_ATTRIBUTES);

    sheet = OpenSheet();
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(gui::WindowText(gui::FindControl(sheet, IDE_END_MONTH)), L"9");
    EXPECT_EQ(gui::IsChecked(gui::FindControl(sheet, IDX_TAX_INCLUSIVE)), !taxBefore);
    EXPECT_EQ(gui::WindowText(gui::FindControl(sheet, IDE_OUTPUT_PATH)), target);
    CancelSheetWithoutSaving(sheet);
    EXPECT_EQ(Finish().exitCode, 1u);
}

TEST_F(ConditionSheet, PresetPathLocksTheOutputAndIsNotSaved) {
    WriteState();
    const std::wstring preset = folder_ + L"preset.xml";
    HWND sheet = OpenSheet(L"--output \"" + preset + L"\"");
    ASSERT_NE(sheet, nullptr);
    EXPECT_FALSE(IsWindowEnabled(gui::FindControl(sheet, IDE_OUTPUT_PATH)));
    EXPECT_FALSE(IsWindowEnabled(gui::FindControl(sheet, IDB_BROWSE)));
    EXPECT_EQ(gui::WindowText(gui::FindControl(sheet, IDG_OUTPUT)), L"出力先");
    EXPECT_EQ(gui::WindowText(gui::FindControl(sheet, IDE_OUTPUT_PATH)), preset);
    gui::PressKey(sheet, VK_ESCAPE);
    Answer(L"入力した情報を保存して終了しますか？", IDYES);
    ExpectMessageAndConfirm(L"｢事業概況書｣の集計を中止します。");
    EXPECT_EQ(Finish().exitCode, 1u);
    const std::string saved = ReadFileBytes(SavedFile());
    EXPECT_FALSE(saved.empty());
    EXPECT_EQ(saved.find("preset.xml"), std::string::npos) << "the host's path was saved";
}

}  // namespace
