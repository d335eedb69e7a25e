#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "model/fiscal_months.h"
#include "tests/unit/fakes/fake_desktop.h"
#include "tests/unit/fakes/fake_host.h"
#include "tests/unit/fakes/memory_file_system.h"
#include "tests/unit/fakes/recording_views.h"
#include "tests/unit/fakes/source_file.h"
#include "ui/mapping/mapped_accounts_text.h"
#include "ui/sheet/condition_entry_sheet.h"
#include "ui/sheet/own_buttons.h"

namespace {

class FiscalMonths : public ::testing::Test {
  protected:
    std::pair<int, int> Range(std::int32_t start, std::int32_t end) {
        std::int16_t fiscalStart = -1;
        std::int16_t fiscalEnd = -1;
        FiscalMonthRange(host, start, end, &fiscalStart, &fiscalEnd);
        return {fiscalStart, fiscalEnd};
    }
    FakeHost host;
};

TEST_F(FiscalMonths, CalendarYearCrossingYearAndClosingDay) {
    EXPECT_EQ(Range(20160101, 20161231), std::make_pair(1, 12));
    EXPECT_EQ(Range(20160401, 20170331), std::make_pair(4, 103));
    // Books closing on the 20th: 21 March already belongs to April's books.
    host.Load(R"("datasets": [{"id": "C", "no": 1, "periodStart": 20250321, "periodEnd": 20260320,
                               "cutoffDay": 20}])");
    EXPECT_EQ(Range(20250321, 20260320), std::make_pair(4, 103));
    host.calendarAvailable = false;
    EXPECT_EQ(Range(20250321, 20260320), std::make_pair(-1, -1)) << "nothing without a calendar";
}

TEST(MonthPositionsTest, PositionsWithinTheFiscalYear) {
    std::int16_t start = 0;
    std::int16_t end = 0;
    MonthPositions(4, 103, 4, 2, &start, &end);
    EXPECT_EQ(start, 1);
    EXPECT_EQ(end, 11);
    MonthPositions(4, 103, 4, 12, &start, &end);
    EXPECT_EQ(end, 9);
    MonthPositions(4, 103, 4, 3, &start, &end);
    EXPECT_EQ(end, 12) << "the last month of a crossing year";
    MonthPositions(1, 12, 1, 12, &start, &end);
    EXPECT_EQ(end, 12);
    MonthPositions(4, 103, 2, 6, &start, &end);
    EXPECT_EQ(start, 11) << "a start month before the fiscal start wraps";
    EXPECT_EQ(end, 3);
    std::int16_t untouched = 77;
    MonthPositions(4, 103, 4, 6, &untouched, nullptr);
    EXPECT_EQ(untouched, 77) << "nothing happens without both outputs";
}

TEST(OwnButtonLayout, FourEqualButtonsAlongTheBottom) {
    const auto places = LayOutOwnButtons(400, 420, 23);
    EXPECT_EQ(places[0].id, IDB_PREVIOUS);
    EXPECT_EQ(places[0].left, 8);
    EXPECT_EQ(places[1].left, 97);
    EXPECT_EQ(places[2].left, 218);
    EXPECT_EQ(places[3].left, 307);
    EXPECT_EQ(places[3].left + places[3].width, 400 - 8);
    for (const ButtonPlace& place : places) {
        EXPECT_EQ(place.width, 85);
        EXPECT_EQ(place.top, 400);
        EXPECT_EQ(place.height, 23);
    }
}

KeyMessage Key(std::uint32_t key, std::int32_t target = 0) {
    KeyMessage message;
    message.kind = KeyMessageKind::kKeyDown;
    message.key = key;
    message.targetButtonId = target;
    return message;
}

TEST(SheetKeys, UnmodifiedFunctionKeysAct) {
    EXPECT_EQ(DecideSheetKey(Key(kKeyF12)), SheetKeyAction::kRun);
    EXPECT_EQ(DecideSheetKey(Key(kKeyEscape)), SheetKeyAction::kExit);
    EXPECT_EQ(DecideSheetKey(Key(kKeyF5)), SheetKeyAction::kPreviousPage);
    EXPECT_EQ(DecideSheetKey(Key(kKeyF6)), SheetKeyAction::kNextPage);
    EXPECT_EQ(DecideSheetKey(Key('A')), SheetKeyAction::kPass);
}

TEST(SheetKeys, EnterPressesTheFocusedOwnButtonAndIsAlwaysSwallowed) {
    EXPECT_EQ(DecideSheetKey(Key(kKeyEnter, IDB_RUN)), SheetKeyAction::kRun);
    EXPECT_EQ(DecideSheetKey(Key(kKeyEnter, IDB_CANCEL)), SheetKeyAction::kExit);
    EXPECT_EQ(DecideSheetKey(Key(kKeyEnter, IDB_NEXT)), SheetKeyAction::kNextPage);
    EXPECT_EQ(DecideSheetKey(Key(kKeyEnter, IDB_PREVIOUS)), SheetKeyAction::kPreviousPage);
    EXPECT_EQ(DecideSheetKey(Key(kKeyEnter, 1010)), SheetKeyAction::kSwallow);
    EXPECT_EQ(DecideSheetKey(Key(kKeyEnter)), SheetKeyAction::kSwallow);
}

// Modified keys never act; Enter and Esc with Shift or Ctrl are kept from
// the dialog manager, which would press the focused button or the hidden
// Cancel with them.
TEST(SheetKeys, ModifiedKeysDoNotAct) {
    const struct {
        std::uint32_t key;
        bool shift, ctrl, alt;
        KeyMessageKind kind;
        SheetKeyAction action;
    } cases[] = {
        {kKeyF12, true, false, false, KeyMessageKind::kKeyDown, SheetKeyAction::kPass},
        {kKeyF6, false, true, false, KeyMessageKind::kKeyDown, SheetKeyAction::kPass},
        {kKeyEscape, false, true, false, KeyMessageKind::kKeyDown, SheetKeyAction::kSwallow},
        {kKeyEscape, true, false, false, KeyMessageKind::kKeyDown, SheetKeyAction::kSwallow},
        {kKeyEnter, true, false, false, KeyMessageKind::kKeyDown, SheetKeyAction::kSwallow},
        {kKeyEnter, false, true, false, KeyMessageKind::kKeyDown, SheetKeyAction::kSwallow},
        {kKeyEnter, false, false, true, KeyMessageKind::kSystemKeyDown, SheetKeyAction::kPass},
        {kKeyEscape, false, false, false, KeyMessageKind::kOther, SheetKeyAction::kPass},
        // Alt+F4 arrives as a system key; only Alt alone is swallowed.
        {kKeyF4, false, false, true, KeyMessageKind::kOther, SheetKeyAction::kSwallow},
        {kKeyF4, true, false, true, KeyMessageKind::kOther, SheetKeyAction::kPass},
    };
    for (const auto& c : cases) {
        KeyMessage message = Key(c.key, IDB_RUN);
        message.shift = c.shift;
        message.ctrl = c.ctrl;
        message.alt = c.alt;
        message.kind = c.kind;
        EXPECT_EQ(DecideSheetKey(message), c.action) << c.key << c.shift << c.ctrl << c.alt;
    }
}

class SheetFlow : public ::testing::Test {
  protected:
    void SetUp() override {
        sheet = std::make_unique<ClConditionEntrySheet>(host);
        sheet->AttachView(&view);
    }
    FakeHost host;
    RecordingSheetView view;
    std::unique_ptr<ClConditionEntrySheet> sheet;
};

TEST_F(SheetFlow, NavigationStopsAtTheEndsAndSetsTheButtons) {
    sheet->OnPageActivated(0);
    sheet->OnPreviousPage();
    sheet->OnNextPage();
    sheet->OnPageActivated(2);
    sheet->OnNextPage();
    sheet->OnPreviousPage();
    EXPECT_EQ(view.calls, (std::vector<std::string>{"nav 01", "page 1", "nav 10", "page 1"}));
}

TEST_F(SheetFlow, ExitAsksThenTellsThenEndsWithCancelWhateverTheAnswer) {
    for (const bool yes : {false, true}) {
        view.calls.clear();
        view.answerYes = yes;
        EXPECT_TRUE(sheet->FilterKey(Key(kKeyEscape)));
        EXPECT_EQ(view.calls,
                  (std::vector<std::string>{
                      std::string("ask ") + ClConditionEntrySheet::kExitQuestion,
                      std::string("info ") + ClConditionEntrySheet::kExitNotice, "end 2001"}));
    }
}

TEST_F(SheetFlow, RunChecksThenSavesThenEndsWithTheRunCode) {
    host.Load(
        R"("folders": {"conditions": "C:\\cond\\"}, "user": {"id": "u1", "selection": [2, 12]})");
    MemoryFileSystem files;
    files.folders = {"C:\\", "C:\\out\\", "C:\\cond\\"};
    MappingList current;
    sheet->fileSystem = &files;
    sheet->currentMapping = &current;
    sheet->conditions = {};
    sheet->conditions.periodStart = 20250401;
    sheet->conditions.periodEnd = 20260331;
    sheet->conditions.startMonth = 4;
    sheet->conditions.endMonth = 13;
    sheet->conditions.introMonth = 1;
    sheet->conditions.userId = "u1";
    sheet->conditions.selectionFirst = 2;
    sheet->conditions.selectionSecond = 12;
    sheet->conditions.outputPath = "C:\\out\\a.xml";
    EXPECT_TRUE(sheet->FilterKey(Key(kKeyF12)));
    EXPECT_NE(view.calls.back(), "end 2000") << "end month 13 is refused";
    EXPECT_TRUE(files.files.empty()) << "nothing saved before the checks pass";
    sheet->conditions.endMonth = 3;
    view.calls.clear();
    EXPECT_TRUE(sheet->FilterKey(Key(kKeyF12)));
    ASSERT_FALSE(view.calls.empty());
    EXPECT_EQ(view.calls.back(), "end 2000");
    EXPECT_EQ(files.files.count("C:\\cond\\QB16_G_u1_2_12.env"), 1u);
}

TEST_F(SheetFlow, InitialisationLocksAPresetPathAndSetsTheMonths) {
    sheet->conditions.periodStart = 20160401;
    sheet->conditions.periodEnd = 20170331;
    sheet->conditions.outputPath = "C:\\out\\a.xml";
    sheet->Initialise();
    EXPECT_EQ(sheet->conditions.pathFixed, 1);
    EXPECT_EQ(sheet->conditions.startMonth, 4);
    EXPECT_EQ(sheet->conditions.endMonth, 3);
}

TEST_F(SheetFlow, DestroyingTheSheetReleasesTheFolderServiceOnce) {
    sheet.reset();
    EXPECT_EQ(std::count(host.calls.begin(), host.calls.end(), "ReleaseFolders"), 1);
}

}  // namespace

namespace {

// The sheet's initialisation against the sample company and the shipped
// edition files, read from the current folder as the program reads them.
class SheetInitialisation : public ::testing::Test {
  protected:
    void SetUp() override {
        host.LoadText(SourceFile("samples/sample-company.json"));
        // The select edition's files, as the program finds them beside itself.
        for (const char* name : {"LdgSel18ToQb16_G_GaiKmk.dat", "LdgSel18ToQb16_G_DefKmk.dat"}) {
            files.files[name] = SourceFile(std::string("editions/") + name);
        }
        sheet.AttachView(&view);
        sheet.page2.AttachView(&page2);
        sheet.page3.AttachView(&page3);
        sheet.currentMapping = &current;
        sheet.itemCatalogue = &items;
        sheet.fileSystem = &files;
        sheet.conditions.periodStart = 20250401;
        sheet.conditions.periodEnd = 20260331;
    }
    FakeHost host;
    RecordingSheetView view;
    RecordingMappingPageView page2, page3;
    ClConditionEntrySheet sheet{host};
    MappingList current;
    ItemCatalogue items;
    MemoryFileSystem files;
};

TEST_F(SheetInitialisation, WithoutSavedConditionsTheDefaultsAndTaxSettingsApply) {
    const EditionInfo select = {"帳簿丸１８ SELECT", "LdgSel18ToQb16_G", "18.00.00", "18.00.0X"};
    sheet.edition = &select;
    sheet.Initialise();
    EXPECT_EQ(items.size(), 43u);
    EXPECT_FALSE(current.empty());
    EXPECT_EQ(current.size(), sheet.defaultMapping.size()) << "seeded from the defaults";
    EXPECT_EQ(sheet.conditions.startMonth, 4);
    EXPECT_EQ(sheet.conditions.endMonth, 3);
    EXPECT_EQ(sheet.conditions.outputPath, "C:\\users\\Public\\Documents\\*.xml");
    EXPECT_EQ(std::count(view.calls.begin(), view.calls.end(), "focus 1002"), 1);
    for (const std::string& call : view.calls)
        EXPECT_NE(call.rfind("end", 0), 0u) << "nothing ends the sheet";
    // The pages show their items and describe each button's accounts.
    EXPECT_EQ(page3.calls.size(), 16u) << "text and state of 8 buttons";
    ASSERT_EQ(page2.tips.size(), 27u);
    ASSERT_EQ(page3.tips.size(), 8u);
    const auto described = [](const ItemTip& tip) { return tip.text != kNoMappedAccountsText; };
    EXPECT_TRUE(std::any_of(page2.tips.begin(), page2.tips.end(), described));
}

// Item 2 of dataset 12 holds 4,184,200 yen over the year, 2,084,000 yen
// from April to September; item 41, its monthly counterpart, the same.
TEST_F(SheetInitialisation, AmountsAreReadOnceWhenAMappingPageFirstShowsAndFollowPage1) {
    const EditionInfo select = {"帳簿丸１８ SELECT", "LdgSel18ToQb16_G", "18.00.00", "18.00.0X"};
    DatasetRecord dataset;
    ASSERT_TRUE(host.FindDataset(12, dataset));
    sheet.edition = &select;
    sheet.dataset = &dataset;
    sheet.Initialise();
    sheet.OnPageActivated(0);
    EXPECT_TRUE(host.queryCalls.empty()) << "nothing read until a mapping page shows";
    const auto lastTip = [](const RecordingMappingPageView& page, int controlId) {
        const std::string start = "tip " + std::to_string(controlId) + " ";
        for (auto call = page.calls.rbegin(); call != page.calls.rend(); ++call) {
            if (call->rfind(start, 0) == 0) return call->substr(start.size());
        }
        return std::string();
    };
    const auto total = [](const std::string& tip) { return tip.substr(tip.rfind("\r\n") + 2); };

    sheet.OnPageActivated(1);
    EXPECT_EQ(std::count(host.queryCalls.begin(), host.queryCalls.end(), "Open"), 1);
    EXPECT_EQ(lastTip(page2, IDB_ITEM2),
              "兼業売上高：4,184,200円\r\n"
              "合計 4,184,200円（2025年4月～2026年3月・税抜）");
    sheet.conditions.endMonth = 9;
    sheet.OnPageActivated(2);
    EXPECT_EQ(total(lastTip(page3, IDB_ITEM41)), "合計 2,084,000円（2025年4月～2025年9月・税抜）");
    sheet.OnPageActivated(1);
    EXPECT_EQ(total(lastTip(page2, IDB_ITEM2)), "合計 2,084,000円（2025年4月～2025年9月・税抜）");
    EXPECT_EQ(std::count(host.queryCalls.begin(), host.queryCalls.end(), "Open"), 1)
        << "page 1's changes are worked out without the host";
}

TEST_F(SheetInitialisation, UnreadableItemDefinitionsEndTheSheetAsAbandoned) {
    sheet.edition = &kTestEdition;
    sheet.Initialise();
    ASSERT_GE(view.calls.size(), 2u);
    EXPECT_EQ(view.calls[view.calls.size() - 2],
              "error 項目定義ファイル（LdgTest_GaiKmk.dat）を読み込めませんでした。\n\n"
              "アプリケーションを終了します。");
    EXPECT_EQ(view.calls.back(), "end 2001");
    EXPECT_TRUE(page2.calls.empty() && page2.tips.empty()) << "pages without their items";
}

TEST_F(SheetInitialisation, SavedConditionsThatCannotBeReadEndTheRunAndStayAsTheyAre) {
    const std::string saved = "C:\\users\\Public\\LdgConditions\\QB16_G_admin_1_12.env";
    files.files[saved] = "[P1]\n9/1/0/\n[終了]\n[P2/P3]\n[終了]\n";
    files.unreadable.insert(saved);
    sheet.conditions.userId = "admin";
    sheet.conditions.selectionFirst = 1;
    sheet.conditions.selectionSecond = 12;
    sheet.edition = &kTestEdition;
    sheet.Initialise();
    EXPECT_EQ(view.calls,
              (std::vector<std::string>{
                  "error 保存されている集計条件（QB16_G_admin_1_12.env）を読み込めませんでした。"
                  "\n\nアプリケーションを終了します。",
                  "end -1"}));
    EXPECT_TRUE(current.empty()) << "no defaults in their place";
    EXPECT_EQ(files.files[saved], "[P1]\n9/1/0/\n[終了]\n[P2/P3]\n[終了]\n");
}

// An id that would name a stream or a file outside the folder: told once,
// the defaults are used and nothing is written under that name.
TEST_F(SheetInitialisation, AnUnsafeUserIdKeepsNoConditions) {
    const EditionInfo select = {"帳簿丸１８ SELECT", "LdgSel18ToQb16_G", "18.00.00", "18.00.0X"};
    sheet.edition = &select;
    sheet.conditions.userId = "..\\..\\x";
    files.folders = {"C:", "C:\\users", "C:\\users\\Public", "C:\\users\\Public\\LdgConditions"};
    const std::size_t filesBefore = files.files.size();
    sheet.Initialise();
    ASSERT_FALSE(view.calls.empty());
    EXPECT_EQ(view.calls[0],
              "error ログイン中の利用者ID（..\\..\\x）には、ファイル名に使えない"
              "文字が含まれています。\nそのため、集計条件の読み込みと保存はでき"
              "ません。\n\n今回は初期設定の集計条件で表示します。");
    EXPECT_EQ(current.size(), sheet.defaultMapping.size()) << "the defaults";
    view.answerYes = true;
    sheet.OnExit();
    EXPECT_EQ(files.files.size(), filesBefore) << "nothing saved";
    EXPECT_EQ(std::count_if(view.calls.begin(), view.calls.end(),
                            [](const std::string& call) { return call.rfind("error", 0) == 0; }),
              1)
        << "told once";
}

TEST_F(SheetInitialisation, WithoutAnOutputFolderTheTemporaryFolderIsUsed) {
    host.state.outputFolder.clear();
    files.temporaryFolder = "C:\\Temp\\表";  // its last byte is a backslash's value
    sheet.edition = &kTestEdition;
    sheet.Initialise();
    EXPECT_EQ(sheet.conditions.outputPath, "C:\\Temp\\表\\*.xml");

    // A folder that leaves no room for the file name gives no path, not a cut one.
    files.temporaryFolder = "C:\\" + std::string(254, 't') + "\\";
    sheet.conditions.outputPath.clear();
    sheet.Initialise();
    EXPECT_EQ(sheet.conditions.outputPath, "");
}

}  // namespace
