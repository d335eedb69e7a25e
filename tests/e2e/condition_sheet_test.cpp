// The condition sheet as a person uses it: the checks on "実行(F12)" with
// their messages and focus, the folder and overwrite questions, a file
// that another program holds, page 1's Enter walk into the save dialog,
// the navigation buttons, modified keys, and the conditions kept for the
// next run.
#include <gtest/gtest.h>

#include "res/condition_sheet_res.h"
#include "tests/e2e/scenario.h"

namespace {

const std::wstring kWrongPeriod =
    L"集計期間に誤りがあります。\n\n集計期間を設定しなおしてください。";
const std::wstring kCreateFolder =
    L"指定されたフォルダは存在しません。\n\n作成してもよろしいですか？";
const std::wstring kOverwrite = L"同名のファイルが存在します。\n\n上書きしてもよろしいですか？";
const std::wstring kInvalidCharacter =
    L"データの出力先に不正な文字が含まれています。\n\n出力先を再入力してください。";
const std::wstring kSaveDialogTitle = L"保存ファイルを指定";
// The save dialog's "保存する場所" list and file name field.
constexpr int kLookInId = 0x471;
constexpr int kFileNameId = 0x47c;

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
    std::wstring Text(HWND sheet, int id) { return gui::WindowText(gui::FindControl(sheet, id)); }
    bool FocusIs(HWND sheet, int id) {
        return gui::WaitUntil([sheet, id] { return gui::FocusedControlId(sheet) == id; }, 5000);
    }
    // Tab until the control has the focus.
    bool TabTo(HWND sheet, int id) {
        std::string seen;
        for (int press = 0; press < 12; ++press) {
            const int before = gui::FocusedControlId(sheet);
            seen += " " + std::to_string(before);
            if (before == id) return true;
            gui::PressKey(sheet, VK_TAB);
            gui::WaitUntil([sheet, before] { return gui::FocusedControlId(sheet) != before; },
                           2000);
        }
        ADD_FAILURE() << "focus went" << seen;
        return false;
    }
    // The save dialog, once it shows; its file name field's edit.
    HWND SaveDialog() { return gui::WaitForWindowTitled(kSaveDialogTitle); }
    static HWND FileNameField(HWND dialog) {
        HWND found = nullptr;
        gui::WaitUntil([&] {
            EnumChildWindows(dialog, FindFileNameEdit, reinterpret_cast<LPARAM>(&found));
            return found != nullptr;
        });
        return found;
    }
    static BOOL CALLBACK FindFileNameEdit(HWND child, LPARAM context) {
        wchar_t name[16] = {};
        GetClassNameW(child, name, 16);
        if (GetDlgCtrlID(child) != kFileNameId || std::wstring(name) != L"Edit") return TRUE;
        *reinterpret_cast<HWND*>(context) = child;
        return FALSE;
    }
    // Types `name` into the save dialog and saves.
    void SaveAs(HWND dialog, const std::wstring& name) {
        gui::SetControlText(FileNameField(dialog), name);
        gui::PressButton(dialog, IDOK);
        ASSERT_TRUE(gui::WaitUntilGone(dialog));
    }
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

// Enter walks from the end month to the browse button and into the real
// save dialog, which opens in the path's folder with its name and appends
// ".XML"; the end month keeps its text as typed across it. A name code page
// 932 cannot hold is refused, and the path stays.
TEST_F(ConditionSheet, EnterWalksIntoTheSaveDialogAndTheTextsAsTypedStay) {
    WriteState();
    HWND sheet = OpenSheet();
    ASSERT_NE(sheet, nullptr);
    SetText(sheet, IDE_END_MONTH, L"03");
    ASSERT_TRUE(FocusIs(sheet, IDE_END_MONTH));
    for (const int next : {IDX_TAX_INCLUSIVE, IDE_OUTPUT_PATH, IDB_BROWSE}) {
        gui::PressKey(sheet, VK_RETURN);
        ASSERT_TRUE(FocusIs(sheet, next)) << next;
    }
    gui::PressKey(sheet, VK_RETURN);
    HWND dialog = SaveDialog();
    ASSERT_NE(dialog, nullptr);
    std::wstring folderName = folder_.substr(0, folder_.size() - 1);
    folderName = folderName.substr(folderName.rfind(L'\\') + 1);
    EXPECT_EQ(gui::WindowText(gui::FindControl(dialog, kLookInId)), folderName);
    EXPECT_EQ(gui::WindowText(FileNameField(dialog)), L"*.xml");
    ASSERT_NO_FATAL_FAILURE(SaveAs(dialog, L"report"));
    // The extension the dialog appends: "XML", or Wine's, the filter's "xml".
    const auto pathIs = [&](const std::wstring& name) {
        return gui::WaitUntil([&] {
            return CompareStringOrdinal(Text(sheet, IDE_OUTPUT_PATH).c_str(), -1,
                                        (folder_ + name).c_str(), -1, TRUE) == CSTR_EQUAL;
        });
    };
    EXPECT_TRUE(pathIs(L"report.XML")) << Utf8(Text(sheet, IDE_OUTPUT_PATH));
    EXPECT_EQ(Text(sheet, IDE_END_MONTH), L"03");

    SetText(sheet, IDE_END_MONTH, L"");
    gui::MouseClick(sheet, gui::FindControl(sheet, IDB_BROWSE));
    ASSERT_NO_FATAL_FAILURE(SaveAs(SaveDialog(), L"b"));
    EXPECT_TRUE(pathIs(L"b.XML"));
    EXPECT_EQ(Text(sheet, IDE_END_MONTH), L"");
    const std::wstring chosen = Text(sheet, IDE_OUTPUT_PATH);

    gui::MouseClick(sheet, gui::FindControl(sheet, IDB_BROWSE));
    ASSERT_NO_FATAL_FAILURE(SaveAs(SaveDialog(), L"a\u00A5b"));
    ExpectMessageAndConfirm(kInvalidCharacter);
    EXPECT_TRUE(FocusIs(sheet, IDE_OUTPUT_PATH));
    EXPECT_EQ(Text(sheet, IDE_OUTPUT_PATH), chosen);
    CancelSheetWithoutSaving(sheet);
    EXPECT_EQ(Finish().exitCode, 1u);
}

// Each check's message, then the focus where the user must correct; with
// no path at all the save dialog opens instead. A yen sign typed into the
// path is refused, never taken for a backslash.
TEST_F(ConditionSheet, ChecksTellWhatIsWrongAndPutTheFocusOnIt) {
    WriteState(R"(, "introMonth": 3)");
    HWND sheet = OpenSheet();
    ASSERT_NE(sheet, nullptr);
    const struct {
        const wchar_t* endMonth;
        std::wstring path;
        std::wstring message;
        int focus;  // 0: the save dialog opens
    } steps[] = {
        {L"4", folder_ + L"a.xml", L"集計期間には、導入開始月より前は指定できません。",
         IDE_END_MONTH},
        {L"3", L"", L"データ出力先が指定されていません。\n\n出力先を指定してください。", 0},
        {L"3", folder_ + L"a,b.xml", kInvalidCharacter, IDE_OUTPUT_PATH},
        {L"3", folder_ + L"a\u00A5b\\x.xml", kInvalidCharacter, IDE_OUTPUT_PATH},
        {L"3", L"1:\\x.xml",
         L"ドライブ名が有効でありません。\n\n有効なドライブを指定してください。", IDE_OUTPUT_PATH},
        {L"3", folder_ + L"sub\\", L"ファイル名が指定されていません。", IDE_OUTPUT_PATH},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(Utf8(step.message));
        SetText(sheet, IDE_END_MONTH, step.endMonth);
        SetText(sheet, IDE_OUTPUT_PATH, step.path);
        gui::PressKey(sheet, VK_F12);
        ASSERT_NO_FATAL_FAILURE(ExpectMessageAndConfirm(step.message));
        if (step.focus != 0) {
            EXPECT_TRUE(FocusIs(sheet, step.focus)) << "focus on " << gui::FocusedControlId(sheet);
        } else {
            HWND dialog = SaveDialog();
            ASSERT_NE(dialog, nullptr);
            gui::PressButton(dialog, IDCANCEL);
            ASSERT_TRUE(gui::WaitUntilGone(dialog));
        }
    }
    EXPECT_EQ(GetFileAttributesW((folder_ + L"a").c_str()), INVALID_FILE_ATTRIBUTES);
    CancelSheetWithoutSaving(sheet);
    EXPECT_EQ(Finish().exitCode, 1u);
}

TEST_F(ConditionSheet, AFolderThatCannotBeCreatedAfterYesIsTakenBackWhole) {
    WriteState();
    HWND sheet = OpenSheet();
    ASSERT_NE(sheet, nullptr);
    // "new" can be made; a name with a control character cannot.
    SetText(sheet, IDE_OUTPUT_PATH, folder_ + L"new\\b\x01\\x.xml");
    gui::PressKey(sheet, VK_F12);
    Answer(kCreateFolder, IDYES);
    ExpectMessageAndConfirm(L"フォルダの作成に失敗しました。\n\n出力先を再入力してください。");
    EXPECT_TRUE(FocusIs(sheet, IDE_OUTPUT_PATH));
    EXPECT_EQ(GetFileAttributesW((folder_ + L"new").c_str()), INVALID_FILE_ATTRIBUTES)
        << "the level created is removed";
    CancelSheetWithoutSaving(sheet);
    EXPECT_EQ(Finish().exitCode, 1u);
}

TEST_F(ConditionSheet, NavigationButtonsFollowThePage) {
    WriteState();
    HWND sheet = OpenSheet();
    ASSERT_NE(sheet, nullptr);
    HWND previous = gui::FindControl(sheet, IDB_PREVIOUS);
    HWND next = gui::FindControl(sheet, IDB_NEXT);
    const auto buttons = [&](bool previousEnabled, bool nextEnabled) {
        return gui::WaitUntil([&] {
            return (IsWindowEnabled(previous) != 0) == previousEnabled &&
                   (IsWindowEnabled(next) != 0) == nextEnabled;
        });
    };
    EXPECT_TRUE(buttons(false, true)) << "page 1";
    gui::PressKey(sheet, VK_F6);
    EXPECT_TRUE(buttons(true, true)) << "page 2";
    gui::MouseClick(sheet, next);
    EXPECT_TRUE(buttons(true, false)) << "page 3";
    gui::PressKey(sheet, VK_F6);
    gui::PressKey(sheet, VK_F5);
    EXPECT_TRUE(buttons(true, true)) << "F6 on page 3 changes nothing, F5 goes to page 2";
    gui::MouseClick(sheet, previous);
    EXPECT_TRUE(buttons(false, true)) << "page 1 again";
    CancelSheetWithoutSaving(sheet);
    EXPECT_EQ(Finish().exitCode, 1u);
}

// Shift or Ctrl with Enter or Esc, on a field or on any of the buttons,
// does nothing: no action, no dialog, and the sheet goes on working.
TEST_F(ConditionSheet, ModifiedEnterAndEscapeLeaveTheSheetUsable) {
    WriteState();
    HWND sheet = OpenSheet();
    ASSERT_NE(sheet, nullptr);
    for (const int target : {IDE_END_MONTH, IDB_BROWSE, IDB_NEXT, IDB_RUN, IDB_CANCEL}) {
        SCOPED_TRACE(target);
        // Keys are taken in order: a dialog the last ones opened would take
        // these Tabs, and the focus would never reach the target.
        ASSERT_TRUE(TabTo(sheet, target));
        gui::PressKey(sheet, VK_RETURN, true);
        gui::PressKey(sheet, VK_RETURN, false, true);
        gui::PressKey(sheet, VK_ESCAPE, true);
    }
    gui::PressKey(sheet, VK_F6);
    HWND previous = gui::FindControl(sheet, IDB_PREVIOUS);
    EXPECT_TRUE(gui::WaitUntil([previous] { return IsWindowEnabled(previous) != 0; }))
        << "F6 did not reach the sheet";
    EXPECT_EQ(gui::WaitForMessageBox(0), nullptr);
    EXPECT_FALSE(gui::WindowTitledExists(kSaveDialogTitle));
    CancelSheetWithoutSaving(sheet);
    EXPECT_EQ(Finish().exitCode, 1u);
}

// The user answered Yes to the overwrite question while another program
// has the XML open: the sheet stays with every entry, nothing is saved,
// and once the file is closed 実行 goes through.
TEST_F(ConditionSheet, AnXmlInUseKeepsTheSheetUntilItIsClosed) {
    WriteState();
    const std::wstring target = folder_ + L"overview.xml";
    WriteFileBytes(target, "last year's");
    HWND sheet = OpenSheet();
    ASSERT_NE(sheet, nullptr);
    SetText(sheet, IDE_END_MONTH, L"9");
    SetText(sheet, IDE_OUTPUT_PATH, target);
    {
        HeldFile held(target, FILE_SHARE_READ);
        ASSERT_TRUE(held.IsHeld());
        gui::PressKey(sheet, VK_F12);
        Answer(kOverwrite, IDYES);
        ExpectMessageAndConfirm(
            L"出力先のファイルは他のアプリケーションで使用中です。\n\n"
            L"ファイルを閉じてから、もう一度実行してください。");
        EXPECT_TRUE(FocusIs(sheet, IDE_OUTPUT_PATH));
        EXPECT_EQ(Text(sheet, IDE_END_MONTH), L"9");
        EXPECT_EQ(GetFileAttributesW(SavedFile().c_str()), INVALID_FILE_ATTRIBUTES)
            << "nothing saved";
    }
    gui::PressKey(sheet, VK_F12);
    Answer(kOverwrite, IDYES);
    ExpectWrittenAndConfirm(folder_ + L"overview_集計明細.html");
    EXPECT_EQ(Finish().exitCode, 0u);
    EXPECT_EQ(ReadFileBytes(target).rfind("<?xml", 0), 0u);
}

// A backup or sync program holds the saved conditions for a moment while
// they are replaced: the save waits for it instead of giving up.
TEST_F(ConditionSheet, SavedConditionsHeldForAMomentAreStillSaved) {
    WriteState();
    WriteFileBytes(SavedFile(), "[P1]\n3/0/0/\n[終了]\n[P2/P3]\n[終了]\n");
    HWND sheet = OpenSheet();
    ASSERT_NE(sheet, nullptr);
    SetText(sheet, IDE_END_MONTH, L"9");
    SetText(sheet, IDE_OUTPUT_PATH, folder_ + L"overview.xml");
    HeldFile held(SavedFile(), 0);
    ASSERT_TRUE(held.IsHeld());
    gui::PressKey(sheet, VK_F12);
    // The new file lies written beside the held one until it may take its place.
    EXPECT_TRUE(gui::WaitUntil([this] {
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW((conditionsFolder_ + L"~ldg*.tmp").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) return false;
        FindClose(search);
        return found.nFileSizeLow > 0;
    }));
    held.Release();
    ExpectWrittenAndConfirm(folder_ + L"overview_集計明細.html");
    EXPECT_EQ(Finish().exitCode, 0u);
    EXPECT_EQ(ReadFileBytes(SavedFile()).rfind("[P1]\n9/", 0), 0u);
}

}  // namespace
