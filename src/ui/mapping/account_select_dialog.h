// The account selection dialog of a statement item. Its account look-ups
// forward to the account directory (model/account_directory.h), which the
// page gives it.
//
// Everything the dialog decides is here; the window only shows and forwards:
//
//   1. The page sets accounts, itemNo, captionText, classCodes,
//      currentMapping and defaultMapping, and the window calls Initialise()
//      once its controls exist.
//   2. The window shows Rows() (code, name, amount and other items' texts,
//      checked), the "全ての科目から選択する。(&A)" box as ShowAllAccounts()
//      says and TotalText() under the list.
//   3. It forwards the user's actions: OnRowCheckToggled, OnShowAllToggled,
//      OnListMenuCommand (the menu holds kListMenuTexts in that order) and
//      ApplySelection (then it closes with kAppliedResult). Cancel closes
//      with kCancelledResult and calls nothing.
//   4. After each forwarded call it shows Rows(), ShowAllAccounts() and
//      TotalText() again; when RowsGeneration() is unchanged, only checks
//      can differ.
//
// Keys go through DecideKey before the window's own handling.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "host/host_records.h"
#include "model/account_directory.h"
#include "model/item_catalogue.h"
#include "model/mapping_list.h"
#include "model/statement_item.h"
#include "platform/key_message.h"
#include "res/account_dialog_res.h"
#include "ui/mapping/amount_texts.h"

class ClAccountSelectDialog {
  public:
    // Where FindAccountByCode looks.
    enum class AccountSource { kListedAccounts, kAccountTable };

    // The look-ups the dialog is known by; the account directory answers
    // them.
    // The main account with `code` (displayed or full): from the listed
    // accounts, the first with that code; from the account table, as
    // AccountDirectory::FindByCode. True and a copy in `*record` (when not
    // null) when found.
    bool FindAccountByCode(AccountSource source, std::int32_t code, AccountRecord* record) const;
    std::int32_t FindAccountById(const std::string& accountId, AccountRecord* record) const {
        return accounts->FindById(accountId, record);
    }
    static AccountIdText FormatAccountId(const AccountRecord& record) {
        return AccountDirectory::FormatAccountId(record);
    }
    static std::string TrimAccountName(const std::string& name) {
        return AccountDirectory::TrimAccountName(name);
    }

    // ---- The dialog ----

    // The results the window closes with: the ids of "設定(F12)" and
    // "キャンセル(Esc)".
    static constexpr int kAppliedResult = IDB_APPLY_SELECTION;
    static constexpr int kCancelledResult = IDB_CANCEL_SELECTION;

    // Where RebuildCheckedSet takes the checked accounts from.
    enum class CheckSource { kFromDefaults = 0, kFromRows = 1, kFromAllAccounts = 2, kCleared = 3 };

    // The list's popup menu: command n is kListMenuTexts[n - 1].
    enum ListMenuCommand : int {
        kRestoreDefaultChecks = 1,
        kCheckShownAccounts = 2,
        kClearShownAccounts = 3,
        kCheckAllAccounts = 4,
        kClearAllAccounts = 5,
    };
    static constexpr int kListMenuCommandCount = 5;
    static const char* const kListMenuTexts[kListMenuCommandCount];

    // One row of the list, for the listed account of the same index.
    struct AccountRow {
        std::int32_t displayedCode = 0;  // code / 10000
        std::string codeText;            // column "コード": "%d" of displayedCode
        std::string nameText;            // column "科目名": the trimmed name
        // Column "金額": what the account adds to the item, "" without amounts.
        std::string amountText;
        // Column "他の項目": the other items of the item's part of the
        // statement that the current mapping feeds from the account, by
        // number and name ("No.22 受取手形").
        std::string otherItemsText;
        bool checked = false;
    };

    // Fills the list from the item's classes (or with all accounts when the
    // item has none), widens it to all accounts when a mapped account would
    // not be visible, checks the item's mapped accounts and takes the
    // checked set from the rows.
    void Initialise();

    const std::vector<AccountRow>& Rows() const { return rows_; }
    // The state of "全ての科目から選択する。(&A)".
    bool ShowAllAccounts() const { return showAll_; }
    // Changes whenever the rows are replaced by a new listing.
    std::uint32_t RowsGeneration() const { return rowsGeneration_; }
    // The checked displayed codes, visible or not, each at most once.
    const std::vector<std::int32_t>& CheckedSet() const { return checkedSet_; }
    // The line under the list: the total the item will hold when the checks
    // are applied, as the XML will hold it, with its period and tax view;
    // or why there are no amounts. Empty when the dialog has no amounts.
    std::string TotalText() const;

    // The user checked or cleared row `row` (out-of-range rows are ignored).
    // It enters the checked set at the next rebuild from the rows.
    void OnRowCheckToggled(std::size_t row, bool checked);
    // The check box was clicked; `checked` is its new state. Checks survive.
    void OnShowAllToggled(bool checked);
    // A command chosen from the popup menu; other values do nothing.
    void OnListMenuCommand(int command);
    // Replaces the item's entries in currentMapping by the checked accounts,
    // in checked-set order. The window then closes with kAppliedResult.
    void ApplySelection();

    // Lists the accounts of `classes` (or all main accounts for null) in the
    // table's order, unchecked.
    void FillAccountList(const std::array<std::uint32_t, kClassCodeSlots>* classes);
    void RebuildCheckedSet(CheckSource source);

    // What a key does, decided before the window's own handling.
    enum class KeyFocus { kList, kShowAllBox, kApplyButton, kElsewhere };
    enum class KeyAction { kPass, kFocusShowAllBox, kFocusApplyButton, kApply };
    static KeyAction DecideKey(const KeyMessage& message, KeyFocus focus);

    // Set by the page that opens the dialog; `accounts` outlives it.
    const AccountDirectory* accounts = nullptr;
    std::int16_t itemNo = 0;
    std::string captionText;
    const std::array<std::uint32_t, kClassCodeSlots>* classCodes = nullptr;
    MappingList* currentMapping = nullptr;
    const MappingList* defaultMapping = nullptr;
    // The item's side, which decides whether an account adds or subtracts.
    std::int16_t itemSide = 0;
    // The items, for the names of the other items; none: numbers only.
    const ItemCatalogue* itemCatalogue = nullptr;
    // Asked once when the dialog initialises; none: the dialog shows no amounts.
    AmountsSource amounts;

  protected:
    // Displayed codes the user has checked, visible in the list or not.
    std::vector<std::int32_t> checkedSet_;
    // The accounts shown in the list, in row order.
    std::vector<AccountRecord> listedAccounts_;

  private:
    bool HasClasses() const { return classCodes != nullptr && (*classCodes)[0] != 0; }
    // Checks the rows whose displayed codes are in the checked set.
    void CheckRowsOfCheckedSet();
    // The checked set as a rebuild from the rows leaves it.
    std::vector<std::int32_t> CheckedSetFromRows() const;
    // For each account id, the other items of this item's part that the
    // current mapping feeds from it, as the rows show them.
    void FindOtherItems();
    // What the account of displayed code `code` adds to the item: the
    // account the table gives for the code, as ApplySelection maps it.
    // Nothing when the dialog shows no amounts or the amount is beyond its
    // bound.
    const std::optional<ItemAmounts>& AmountOfCode(std::int32_t code) const;

    std::vector<AccountRow> rows_;
    bool showAll_ = false;
    std::uint32_t rowsGeneration_ = 0;
    // The first listed account (and so the first row) of each full code.
    std::unordered_map<std::int32_t, std::size_t> firstListedOfCode_;
    AmountsOnScreen shown_;
    bool hasAmounts_ = false;
    mutable std::unordered_map<std::int32_t, std::optional<ItemAmounts>> amountOfCode_;
    std::unordered_map<std::string, std::string> otherItemsOfId_;
};
