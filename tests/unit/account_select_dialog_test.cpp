// The account selection dialog's decisions over an account table in
// memory, with the amounts of its accounts, and the item buttons' tooltip
// text.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "aggregate/sheet_amounts.h"
#include "model/account_directory.h"
#include "tests/unit/fakes/fake_host.h"
#include "ui/mapping/account_select_dialog.h"
#include "ui/mapping/mapped_accounts_text.h"

namespace {

using Dialog = ClAccountSelectDialog;
using Texts = std::vector<std::string>;

// Class 1 holds 1110 and 1140 as listed accounts, besides a sub-account and
// two flagged accounts; 4110 and 5210 are of other classes.
const char kAccounts[] =
    u8R"(
  "datasets": [{"id": "DS1", "no": 1, "periodStart": 20250401, "periodEnd": 20260331,
    "accounts": [
      {"id": "00000000000000000000000000000001", "code": 41100000, "class": 2, "name": "売上高"},
      {"id": "00000000000000000000000000000002", "code": 11100000, "class": 1, "name": "現金"},
      {"id": "00000000000000000000000000000003", "code": 11100001, "class": 1, "name": "sub"},
      {"id": "00000000000000000000000000000004", "code": 11200000, "class": 1, "flag110": 1},
      {"id": "00000000000000000000000000000005", "code": 11300000, "class": 1, "flag112": 1},
      {"id": "00000000000000000000000000000006", "code": 11400000, "class": 1, "name": "普通預金　 "},
      {"id": "00000000000000000000000000000007", "code": 52100000, "class": 3, "name": "仕入高"}
    ]}])";

std::string Id(int n) {
    return "0x" + std::string(31, '0') + std::to_string(n);
}

class AccountSelectDialogTest : public ::testing::Test {
  protected:
    static constexpr std::int16_t kItem = 5;
    void SetUp() override { host_.Load(kAccounts); }
    void Map(MappingList& list, std::int16_t item, const Texts& ids) {
        for (const std::string& id : ids)
            list.Append(MappingEntry(item, id));
    }
    Dialog& Open() {
        dialog_ = Dialog();
        dialog_.accounts = &accounts_;
        dialog_.itemNo = kItem;
        dialog_.classCodes = &classes_;
        dialog_.currentMapping = &current_;
        dialog_.defaultMapping = &defaults_;
        dialog_.Initialise();
        return dialog_;
    }
    Texts Shown() const {  // "code", or "code*" when checked
        Texts shown;
        for (const Dialog::AccountRow& row : dialog_.Rows())
            shown.push_back(row.codeText + (row.checked ? "*" : ""));
        return shown;
    }
    Texts Mapping() const {  // "item:id"
        Texts entries;
        for (const MappingEntry& entry : current_)
            entries.push_back(std::to_string(entry.itemNo) + ":" + entry.accountId());
        return entries;
    }
    FakeHost host_;
    AccountDirectory accounts_{host_};
    std::array<std::uint32_t, kClassCodeSlots> classes_{1};
    MappingList current_, defaults_;
    Dialog dialog_;
};

TEST_F(AccountSelectDialogTest, ListsOnlyMainUnflaggedAccountsInTableOrder) {
    Open();
    EXPECT_EQ(Shown(), (Texts{"1110", "1140"})) << "sub-account and flagged accounts never listed";
    EXPECT_EQ(dialog_.Rows()[1].nameText, "普通預金");
    EXPECT_FALSE(dialog_.ShowAllAccounts());

    classes_ = {};
    Open();
    const Texts all{"4110", "1110", "1140", "5210"};
    EXPECT_EQ(Shown(), all) << "an item without class codes lists every main account";
    dialog_.OnShowAllToggled(true);
    EXPECT_EQ(Shown(), all);
    dialog_.OnShowAllToggled(false);
    EXPECT_EQ(Shown(), all);
}

TEST_F(AccountSelectDialogTest, OpensWithAllAccountsWhenAMappedAccountIsOutsideTheClasses) {
    Map(current_, kItem, {"URIAGEDAKA", Id(9), Id(6), Id(7)});
    Map(current_, 9, {Id(1)});
    Open();
    EXPECT_TRUE(dialog_.ShowAllAccounts());
    EXPECT_EQ(Shown(), (Texts{"4110", "1110", "1140*", "5210*"}));
    EXPECT_EQ(dialog_.CheckedSet(), (std::vector<std::int32_t>{1140, 5210}));
}

TEST_F(AccountSelectDialogTest, ChecksSurviveTheListingAndApplyKeepsTheSetOrder) {
    Map(current_, 9, {Id(1)});
    Map(current_, kItem, {Id(6), Id(7), Id(2), "SISAN"});
    Map(current_, 9, {Id(7)});
    Open();
    dialog_.OnShowAllToggled(false);
    EXPECT_EQ(Shown(), (Texts{"1110*", "1140*"}));
    dialog_.OnRowCheckToggled(0, false);
    dialog_.OnRowCheckToggled(0, true);
    dialog_.OnRowCheckToggled(99, true);
    dialog_.ApplySelection();
    // The hidden 5210 first, then the rows top to bottom; the keyword goes.
    EXPECT_EQ(Mapping(),
              (Texts{"9:" + Id(1), "9:" + Id(7), "5:" + Id(7), "5:" + Id(2), "5:" + Id(6)}));
}

TEST_F(AccountSelectDialogTest, DefaultsOutsideTheClassesAreAppliedAndShownNextTime) {
    Map(defaults_, kItem, {Id(7), "URIAGEDAKA", Id(2)});
    Open().OnListMenuCommand(Dialog::kRestoreDefaultChecks);
    EXPECT_EQ(Shown(), (Texts{"1110*", "1140"}));
    EXPECT_FALSE(dialog_.ShowAllAccounts());
    dialog_.ApplySelection();
    EXPECT_EQ(Mapping(), (Texts{"5:" + Id(7), "5:" + Id(2)}));
    Open();
    EXPECT_EQ(Shown(), (Texts{"4110", "1110*", "1140", "5210*"}));
}

TEST_F(AccountSelectDialogTest, CheckAllThenHidingStillMapsEveryMainAccount) {
    Open().OnListMenuCommand(Dialog::kCheckAllAccounts);
    EXPECT_TRUE(dialog_.ShowAllAccounts());
    EXPECT_EQ(Shown(), (Texts{"4110*", "1110*", "1140*", "5210*"}));
    dialog_.OnShowAllToggled(false);
    EXPECT_EQ(Shown(), (Texts{"1110*", "1140*"}));
    dialog_.ApplySelection();
    EXPECT_EQ(Mapping(), (Texts{"5:" + Id(1), "5:" + Id(7), "5:" + Id(2), "5:" + Id(6)}));
}

TEST_F(AccountSelectDialogTest, CancellingChangesNothingAndClearedChecksRemoveTheItem) {
    Map(current_, kItem, {Id(2), Id(7)});
    Map(current_, 9, {Id(1)});
    const Texts before = Mapping();
    Open().OnListMenuCommand(Dialog::kCheckAllAccounts);
    dialog_.OnListMenuCommand(Dialog::kClearShownAccounts);
    EXPECT_EQ(Mapping(), before) << "cancelling is not applying";
    Open().OnListMenuCommand(Dialog::kClearAllAccounts);
    EXPECT_EQ(Shown(), (Texts{"4110", "1110", "1140", "5210"}));
    dialog_.ApplySelection();
    EXPECT_EQ(Mapping(), Texts{"9:" + Id(1)});
    // A default listed twice is one check, cleared by one uncheck.
    Map(defaults_, kItem, {Id(2), Id(2)});
    Open().OnListMenuCommand(Dialog::kRestoreDefaultChecks);
    dialog_.OnRowCheckToggled(0, false);
    dialog_.ApplySelection();
    EXPECT_EQ(Mapping(), Texts{"9:" + Id(1)});
}

TEST(AccountSelectDialogKeys, EnterWalksToApplyAndModifiedKeysPass) {
    using F = Dialog::KeyFocus;
    using A = Dialog::KeyAction;
    const KeyMessage enter{KeyMessageKind::kKeyDown, kKeyEnter},
        f12{KeyMessageKind::kKeyDown, kKeyF12};
    EXPECT_EQ(Dialog::DecideKey(enter, F::kList), A::kFocusShowAllBox);
    EXPECT_EQ(Dialog::DecideKey(enter, F::kShowAllBox), A::kFocusApplyButton);
    EXPECT_EQ(Dialog::DecideKey(enter, F::kApplyButton), A::kApply);
    EXPECT_EQ(Dialog::DecideKey(enter, F::kElsewhere), A::kPass);
    EXPECT_EQ(Dialog::DecideKey(f12, F::kElsewhere), A::kApply);
    EXPECT_EQ(
        Dialog::DecideKey({KeyMessageKind::kKeyDown, kKeyEnter, false, true}, F::kApplyButton),
        A::kPass);
    EXPECT_EQ(Dialog::DecideKey({KeyMessageKind::kKeyDown, kKeyF12, true}, F::kList), A::kPass);
}

TEST_F(AccountSelectDialogTest, TooltipNamesTheFoundAccountsInMappingOrder) {
    const auto describe = [this](int item) {
        return DescribeMappedAccounts(current_, item, accounts_);
    };
    Map(current_, 7, {Id(9), "URIAGEDAKA", Id(4)});
    Map(current_, 8, {Id(2)});
    Map(current_, kItem, {Id(6), Id(9), Id(2)});
    EXPECT_EQ(describe(6), kNoMappedAccountsText);
    EXPECT_EQ(describe(7), kNoMappedAccountsText) << "missing, keyword, flag byte 110 is 1";
    EXPECT_EQ(describe(8), "現金");
    EXPECT_EQ(describe(kItem), "普通預金　  / 現金") << "names as stored";
}

TEST_F(AccountSelectDialogTest, TooltipStopsBeforeTheNameThatDoesNotFit) {
    std::string accounts =
        u8R"("datasets": [{"id": "D", "no": 1, "periodStart": 20250401,
      "periodEnd": 20260331, "accounts": [)";
    for (int n = 1; n <= 130; ++n) {
        char id[33];
        std::snprintf(id, sizeof id, "%032x", n);
        accounts += std::string(n > 1 ? "," : "") + "{\"id\": \"" + id +
                    "\", \"code\": " + std::to_string(n * 10000) + ", \"name\": \"" +
                    std::string(80, 'n') + "\"}";
        current_.Append(MappingEntry(kItem, std::string("0x") + id));
    }
    FakeHost many;
    many.Load(accounts + "]}]");
    // 120 names of 80 bytes and their separators fit in 9,999 bytes; 121 do not.
    EXPECT_EQ(DescribeMappedAccounts(current_, kItem, AccountDirectory(many)).size(),
              120u * 83 - 3);
}

// The same chart with totals: over the year 1110 has a debit balance of
// 1,500.5 yen, 1140 a credit balance of 200 yen (a debit-side account),
// 4110 a credit balance of 3,000 yen; each month of 5210 holds 1.5 yen.
const char kAmounts[] =
    u8R"(
  "datasets": [{"id": "DS1", "no": 1, "periodStart": 20250401, "periodEnd": 20260331,
    "accounts": [
      {"id": "00000000000000000000000000000001", "code": 41100000, "class": 2, "name": "売上高"},
      {"id": "00000000000000000000000000000002", "code": 11100000, "class": 1, "name": "現金"},
      {"id": "00000000000000000000000000000006", "code": 11400000, "class": 1, "name": "普通預金"},
      {"id": "00000000000000000000000000000007", "code": 52100000, "class": 3, "name": "仕入高"}],
    "totals": [
      {"id": "00000000000000000000000000000002", "class": 1, "side": 1,
       "debitExTax": [15000000,5000,0,0,0,0,0,0,0,0,0,0,0,0,0]},
      {"id": "00000000000000000000000000000006", "class": 1, "side": 1,
       "creditExTax": [0,2000000,0,0,0,0,0,0,0,0,0,0,0,0,0]},
      {"id": "00000000000000000000000000000001", "class": 2, "side": 2,
       "creditExTax": [0,0,0,30000000,0,0,0,0,0,0,0,0,0,0,0]},
      {"id": "00000000000000000000000000000007", "class": 3, "side": 1,
       "debitExTax": [0,15000,15000,15000,15000,15000,15000,15000,15000,15000,15000,15000,15000,0,0]},
      {"class": "0x40888000", "side": 2, "figureSource": 1, "unmapped": 1,
       "creditExTax": [0,0,0,123450000,0,0,0,0,0,0,0,0,0,0,0]}]}])";

const char kWholeYear[] = "（2025年4月～2026年3月・税抜）";

class DialogAmounts : public AccountSelectDialogTest {
  protected:
    void SetUp() override {
        host_.Load(kAmounts);
        host_.FindDataset(1, dataset_);
        sheet_ = std::make_unique<SheetAmounts>(host_, dataset_, 4, 103);
        conditions_.startMonth = 4;
        conditions_.endMonth = 3;
        conditions_.introMonth = 1;
        // Item 12 is missing from the catalogue, item 3 unused by the edition.
        items_.Clear();
        for (const auto& [itemNo, name] : {std::pair<int, const char*>{21, "現金預金"}, {3, "-"}}) {
            StatementItem item;
            item.itemNo = static_cast<std::int16_t>(itemNo);
            item.SetName(name);
            items_.Append(item);
        }
        source_ = [this] {
            AmountsOnScreen shown;
            shown.amounts = sheet_->For(conditions_);
            shown.status = sheet_->status();
            shown.period = sheet_->period();
            return shown;
        };
    }
    Dialog& OpenWithAmounts(std::int16_t item, std::int16_t side) {
        dialog_ = Dialog();
        dialog_.accounts = &accounts_;
        dialog_.itemNo = item;
        dialog_.itemSide = side;
        dialog_.classCodes = &classes_;
        dialog_.currentMapping = &current_;
        dialog_.defaultMapping = &defaults_;
        dialog_.amounts = source_;
        dialog_.itemCatalogue = &items_;
        dialog_.Initialise();
        return dialog_;
    }
    Texts Columns() const {  // "code amount others", "*" when checked
        Texts shown;
        for (const Dialog::AccountRow& row : dialog_.Rows()) {
            shown.push_back(row.codeText + " " + row.amountText + " " + row.otherItemsText +
                            (row.checked ? "*" : ""));
        }
        return shown;
    }
    DatasetRecord dataset_;
    ItemCatalogue items_;
    std::unique_ptr<SheetAmounts> sheet_;
    AggregationConditions conditions_;
    AmountsSource source_;
};

TEST_F(DialogAmounts, RowsShowWhatEachAccountAddsAndTheTotalFollowsTheChecks) {
    // 1140 feeds main items 21 and 3 already, 4110 item 12 and the monthly
    // item 36, which is a part of its own; each shows its number, and its
    // name when the catalogue names it.
    Map(current_, kItem, {Id(2)});
    Map(current_, 21, {Id(6)});
    Map(current_, 3, {Id(6), Id(6)});
    Map(current_, 12, {Id(1)});
    Map(current_, 36, {Id(1)});
    Dialog& dialog = OpenWithAmounts(kItem, 1);
    EXPECT_EQ(Columns(), (Texts{"1110 1,500 *", "1140 -200 No.3、No.21 現金預金"}));
    EXPECT_EQ(dialog.TotalText(), std::string("合計 1,500円") + kWholeYear);
    dialog.OnRowCheckToggled(1, true);
    EXPECT_EQ(dialog.TotalText(), std::string("合計 1,300円") + kWholeYear);
    dialog.OnShowAllToggled(true);
    EXPECT_EQ(Columns(), (Texts{"4110 -3,000 No.12", "1110 1,500 *",
                                "1140 -200 No.3、No.21 現金預金*", "5210 18 "}));
    dialog.OnRowCheckToggled(0, true);
    dialog.OnRowCheckToggled(1, false);
    // Hidden again, 4110 stays checked and counted, as applying would map it.
    dialog.OnShowAllToggled(false);
    EXPECT_EQ(dialog.TotalText(), std::string("合計 -3,200円") + kWholeYear);
    dialog.OnListMenuCommand(Dialog::kClearAllAccounts);
    EXPECT_EQ(dialog.TotalText(), std::string("合計 0円") + kWholeYear);
    dialog.OnListMenuCommand(Dialog::kCheckAllAccounts);
    EXPECT_EQ(dialog.TotalText(), std::string("合計 -1,681円") + kWholeYear)
        << "-1,681.5 yen truncated toward zero";
    EXPECT_EQ(sheet_->kept().rows().size(), 5u);
}

TEST_F(DialogAmounts, AMonthlyItemsTotalIsTheSumOfItsWholeYenMonths) {
    classes_ = {3};
    Map(current_, 36, {Id(7)});
    Dialog& dialog = OpenWithAmounts(36, 1);
    // Each month shows 1 yen of its 1.5; the XML holds twelve of them.
    EXPECT_EQ(Columns(), (Texts{"5210 12 *"}));
    EXPECT_EQ(dialog.TotalText(), std::string("合計 12円") + kWholeYear);
    conditions_.endMonth = 9;
    conditions_.taxInclusive = 1;
    EXPECT_EQ(OpenWithAmounts(36, 1).TotalText(), "合計 0円（2025年4月～2025年9月・税込）");
}

TEST_F(DialogAmounts, WithoutAmountsTheLineSaysSoAndTheRowsShowNone) {
    const struct {
        const char* name;
        bool source;
        bool hostRefuses;
        int endMonth;
        std::string total;
    } cases[] = {
        {"no amounts asked for", false, false, 3, ""},
        {"host refuses", true, true, 3, "金額を表示できません"},
        {"wrong period", true, false, 13, "金額を表示できません（集計期間に誤りがあります）"},
    };
    Map(current_, kItem, {Id(2)});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        host_.totalsQueryAvailable = !c.hostRefuses;
        conditions_.endMonth = static_cast<std::int16_t>(c.endMonth);
        if (!c.source) source_ = nullptr;
        Dialog& dialog = OpenWithAmounts(kItem, 1);
        EXPECT_EQ(Columns(), (Texts{"1110  *", "1140  "}));
        EXPECT_EQ(dialog.TotalText(), c.total);
    }
}

TEST_F(DialogAmounts, TipsListEachSourceWithItsAmountThenTheTotal) {
    ItemCatalogue items;
    for (const int itemNo : {1, 5, 18, 20, 21, 36}) {
        StatementItem item;
        item.itemNo = static_cast<std::int16_t>(itemNo);
        item.side = static_cast<std::int16_t>(itemNo == 1 ? 2 : 1);
        items.Append(item);
    }
    Map(current_, 1, {"URIAGEDAKA"});
    Map(current_, kItem, {Id(2), Id(9), Id(6)});
    Map(current_, 20, {"SOREIGAI"});
    Map(current_, 18, {Id(2)});
    Map(current_, 36, {Id(7)});
    const std::unique_ptr<TipAmounts> amounts = PrepareTipAmounts(source_(), current_, items);
    ASSERT_NE(amounts, nullptr);
    const auto tip = [&](int itemNo) {
        return DescribeMappedAmounts(current_, itemNo, accounts_, *amounts);
    };
    const std::string year = kWholeYear;
    EXPECT_EQ(tip(1), "会計アプリケーションの集計値「売上高」：12,345円\r\n合計 12,345円" + year);
    EXPECT_EQ(tip(kItem), "現金：1,500円\r\n普通預金：-200円\r\n合計 1,300円" + year)
        << "an id of no account is left out";
    EXPECT_EQ(tip(20),
              "会計アプリケーションの集計値「資産の部合計」（0円）から他の項目を差し引いた額\r\n合"
              "計 -1,500円" +
                  year);
    EXPECT_EQ(tip(36), "仕入高：12円\r\n合計 12円" + year);
    EXPECT_EQ(tip(21), std::string(kNoMappedAccountsText) + "\r\n合計 0円" + year);
    EXPECT_EQ(PrepareTipAmounts(AmountsOnScreen(), current_, items), nullptr);
}

}  // namespace
