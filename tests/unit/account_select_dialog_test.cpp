// The account selection dialog's decisions over an account table in
// memory, and the item buttons' tooltip text.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

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

}  // namespace
