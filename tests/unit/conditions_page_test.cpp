#include <gtest/gtest.h>

#include "res/condition_sheet_res.h"
#include "tests/unit/fakes/fake_host.h"
#include "ui/sheet/condition_entry_sheet.h"
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
};

class ConditionsPage : public ::testing::Test {
  protected:
    void SetUp() override {
        sheet.page1.sheet = &sheet;
        sheet.page1.AttachView(&view);
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

}  // namespace
