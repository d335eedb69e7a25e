#include <gtest/gtest.h>

#include "res/condition_sheet_res.h"
#include "tests/unit/fakes/fake_host.h"
#include "tests/unit/fakes/recording_views.h"
#include "ui/sheet/condition_entry_sheet.h"
#include "ui/sheet/condition_validation.h"
#include "ui/sheet/own_buttons.h"

namespace {

class RecordingPage1View : public Page1View {
  public:
    std::vector<std::string> calls;
    std::string shownEndMonth;
    bool outputEnabled = true;
    bool previousEnabled = false;
    std::optional<std::string> chosenFile;

    void ShowTexts(const std::string&, const std::string&, const std::string&,
                   const std::string& endMonthText, const std::string&, bool) override {
        shownEndMonth = endMonthText;
        calls.push_back("show");
    }
    void LockOutput() override {
        outputEnabled = false;
        calls.push_back("lock");
    }
    bool IsEnabled(int id) override {
        if (id == IDB_PREVIOUS) return previousEnabled;
        if (id == IDE_OUTPUT_PATH || id == IDB_BROWSE) return outputEnabled;
        return true;
    }
    void FocusControl(int id, bool selectAll) override {
        calls.push_back("focus " + std::to_string(id) + (selectAll ? " all" : ""));
    }
    std::optional<std::string> AskOutputFile(const std::string& folder,
                                             const std::string& fileName) override {
        calls.push_back("browse [" + folder + "][" + fileName + "]");
        return chosenFile;
    }
    void RestoreOutputPath(const std::string& text, std::size_t caret) override {
        calls.push_back("restore " + std::to_string(text.size()) + " " + std::to_string(caret));
    }
};

class ConditionsPage : public ::testing::Test {
  protected:
    void SetUp() override {
        sheet.page1.Link(
            {&sheet.conditions, [this](const char* message) { sheet.RefuseOutputPath(message); }});
        sheet.page1.AttachView(&view);
        sheet.AttachView(&sheetView);
    }
    KeyMessage Enter() const {
        KeyMessage key;
        key.kind = KeyMessageKind::kKeyDown;
        key.key = kKeyEnter;
        return key;
    }
    FakeHost host;
    ClConditionEntrySheet sheet{host};
    RecordingPage1View view;
    RecordingSheetView sheetView;
};

TEST_F(ConditionsPage, ChangesGoStraightIntoTheRecord) {
    sheet.page1.OnEndMonthChanged("3");
    EXPECT_EQ(sheet.conditions.endMonth, 3);
    sheet.page1.OnEndMonthChanged("");
    EXPECT_EQ(sheet.conditions.endMonth, 0);
    sheet.page1.OnTaxClicked(true);
    EXPECT_EQ(sheet.conditions.taxInclusive, 1);
    sheet.page1.OnTaxClicked(false);
    EXPECT_EQ(sheet.conditions.taxInclusive, 0);
    sheet.page1.OnOutputPathChanged("C:\\data\\r.xml");
    EXPECT_EQ(sheet.conditions.outputPath, "C:\\data\\r.xml");
}

TEST_F(ConditionsPage, EnterWalksThroughTheFieldsAndSkipsALockedPath) {
    sheet.page1.FilterKey(Enter(), IDE_END_MONTH);
    sheet.page1.FilterKey(Enter(), IDX_TAX_INCLUSIVE);
    sheet.page1.FilterKey(Enter(), IDE_OUTPUT_PATH);
    EXPECT_EQ(view.calls, (std::vector<std::string>{"focus 1003", "focus 1008 all", "focus 1007"}));
    view.calls.clear();
    sheet.conditions.outputPath = "C:\\data\\report.xml";
    sheet.page1.ShowConditions(1);
    sheet.page1.FilterKey(Enter(), IDX_TAX_INCLUSIVE);
    sheet.page1.FilterKey(Enter(), IDB_BROWSE);
    EXPECT_EQ(view.calls, (std::vector<std::string>{"show", "lock", "focus 2003"}))
        << "locked: on to 次へ(F6), and the browse button does nothing";
}

TEST_F(ConditionsPage, EnterOnBrowseOpensTheDialogInThePathsFolder) {
    sheet.conditions.outputPath = "C:\\data\\report.xml";
    view.chosenFile = "D:\\out\\new.xml";
    EXPECT_FALSE(sheet.page1.FilterKey(Enter(), IDB_BROWSE)) << "the sheet swallows it after";
    EXPECT_EQ(view.calls.front(), "browse [C:\\data\\][report.xml]");
    EXPECT_EQ(sheet.conditions.outputPath, "D:\\out\\new.xml");
    view.chosenFile.reset();
    sheet.page1.BrowseOutputFile();
    EXPECT_EQ(sheet.conditions.outputPath, "D:\\out\\new.xml") << "cancel changes nothing";
}

// The page pushes its texts back after a browse: the end month as typed,
// not as read ("" is 0 and "03" is 3 in the record).
TEST_F(ConditionsPage, TheEndMonthAsTypedSurvivesABrowse) {
    sheet.conditions.startMonth = 4;
    sheet.conditions.endMonth = 3;
    sheet.page1.ShowConditions(0);
    EXPECT_EQ(view.shownEndMonth, "3");
    for (const char* typed : {"03", ""}) {
        sheet.page1.OnEndMonthChanged(typed);
        view.chosenFile = "D:\\out\\new.xml";
        sheet.page1.BrowseOutputFile();
        EXPECT_EQ(view.shownEndMonth, typed);
        EXPECT_EQ(sheet.conditions.outputPath, "D:\\out\\new.xml");
    }
}

TEST_F(ConditionsPage, AChosenPathTheCodePageCannotHoldIsRefused) {
    sheet.conditions.outputPath = "C:\\a.xml";
    view.chosenFile = "";  // as the view gives it
    sheet.page1.BrowseOutputFile();
    EXPECT_EQ(sheet.conditions.outputPath, "C:\\a.xml");
    EXPECT_EQ(sheetView.calls, (std::vector<std::string>{
                                   std::string("error ") + ConditionMessages::kInvalidCharacter,
                                   "page 0", "focus " + std::to_string(IDE_OUTPUT_PATH)}));
}

TEST_F(ConditionsPage, ModifiedEnterAndAltF4) {
    KeyMessage shiftEnter = Enter();
    shiftEnter.shift = true;
    EXPECT_FALSE(sheet.page1.FilterKey(shiftEnter, IDE_END_MONTH));
    KeyMessage altF4;
    altF4.key = kKeyF4;
    altF4.alt = true;
    EXPECT_TRUE(sheet.page1.FilterKey(altF4, IDE_END_MONTH));
    EXPECT_TRUE(view.calls.empty());
}

TEST(OutputPathSplit, FolderByBackslashThenColonAndNeverATrailByte) {
    EXPECT_EQ(SplitOutputPath("C:\\data\\report.xml").folder, "C:\\data\\");
    EXPECT_EQ(SplitOutputPath("C:report.xml").folder, "C:");
    EXPECT_EQ(SplitOutputPath("C:report.xml").fileName, "report.xml");
    EXPECT_EQ(SplitOutputPath("*.xml").folder, "");
    EXPECT_EQ(SplitOutputPath("*.xml").fileName, "*.xml");
    // "表" ends in the byte of a backslash: it is no separator.
    EXPECT_EQ(SplitOutputPath("C:\\表.xml").folder, "C:\\");
    EXPECT_EQ(SplitOutputPath("C:\\表.xml").fileName, "表.xml");
}

// The output path field holds 255 Shift_JIS bytes, not 255 characters:
// typed or pasted text is kept as far as it fits, the rest of the field
// stays, and a browsed path longer than any path is refused.
TEST_F(ConditionsPage, TheOutputPathStaysWithinItsBytes) {
    const std::string so = "ソ";  // two bytes, the second a backslash's value
    const struct {
        std::string previous, current, kept;
        std::size_t caret;
    } edits[] = {
        // 254 bytes: a double-byte character does not fit, the field stays.
        {std::string(254, 'x'), std::string(254, 'x') + so, std::string(254, 'x'), 254},
        // A longer path loaded from elsewhere takes nothing more.
        {"C:\\" + std::string(250, 'p') + ".xml", "C:\\" + std::string(250, 'p') + so + ".xml",
         "C:\\" + std::string(250, 'p') + ".xml", 253},
        // A paste in the middle keeps what fits, whole characters only.
        {"ab" + std::string(250, 'c'), "a" + so + so + so + "b" + std::string(250, 'c'),
         "a" + so + "b" + std::string(250, 'c'), 2},
    };
    for (const auto& e : edits) {
        sheet.conditions.outputPath = e.previous;
        view.calls.clear();
        sheet.page1.OnOutputPathChanged(e.current);
        EXPECT_EQ(sheet.conditions.outputPath, e.kept);
        EXPECT_EQ(view.calls, std::vector<std::string>{"restore " + std::to_string(e.kept.size()) +
                                                       " " + std::to_string(e.caret)});
    }
    // Within the bound, or shorter than before, nothing is touched.
    sheet.conditions.outputPath = std::string(258, 'p');
    view.calls.clear();
    sheet.page1.OnOutputPathChanged(std::string(257, 'p'));
    EXPECT_EQ(sheet.conditions.outputPath.size(), 257u);
    EXPECT_TRUE(view.calls.empty());

    sheet.conditions.outputPath = "C:\\a.xml";
    view.chosenFile = "C:\\" + std::string(258, 'q');  // 261 bytes
    sheet.page1.BrowseOutputFile();
    EXPECT_EQ(sheet.conditions.outputPath, "C:\\a.xml");
    EXPECT_EQ(sheetView.calls, (std::vector<std::string>{
                                   std::string("error ") + ConditionMessages::kInvalidCharacter,
                                   "page 0", "focus " + std::to_string(IDE_OUTPUT_PATH)}));
}

}  // namespace
