#include "ui/mapping/account_select_dialog.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "aggregate/amount.h"
#include "model/grouped_digits.h"
#include "model/mapping_entry.h"

const char* const ClAccountSelectDialog::kListMenuTexts[kListMenuCommandCount] = {
    "デフォルトのチェック状態に戻す", "表示されている科目を全てチェック",
    "表示されている科目のチェックを全てはずす", "全ての科目をチェック",
    "全ての科目のチェックをはずす"};

bool ClAccountSelectDialog::FindAccountByCode(AccountSource source, std::int32_t code,
                                              AccountRecord* record) const {
    if (source == AccountSource::kAccountTable) return accounts->FindByCode(code, record);
    const auto found = firstListedOfCode_.find(AccountDirectory::FullAccountCode(code));
    if (found == firstListedOfCode_.end()) return false;
    if (record != nullptr) *record = listedAccounts_[found->second];
    return true;
}

void ClAccountSelectDialog::FillAccountList(
    const std::array<std::uint32_t, kClassCodeSlots>* classes) {
    rows_.clear();
    firstListedOfCode_.clear();
    ++rowsGeneration_;
    listedAccounts_ = accounts->ListAccounts(classes);
    rows_.reserve(listedAccounts_.size());
    for (std::size_t i = 0; i < listedAccounts_.size(); ++i) {
        const AccountRecord& account = listedAccounts_[i];
        firstListedOfCode_.emplace(account.Code(), i);
        AccountRow row;
        row.displayedCode = account.Code() / AccountDirectory::kSubAccountRange;
        char text[16];
        std::snprintf(text, sizeof text, "%d", static_cast<int>(row.displayedCode));
        row.codeText = text;
        row.nameText = TrimAccountName(account.Name());
        if (const std::optional<ItemAmounts>& amount = AmountOfCode(row.displayedCode)) {
            row.amountText = GroupedInteger(ShownYen(itemNo, *amount));
        }
        const auto other = otherItemsOfId_.find(FormatAccountId(account));
        if (other != otherItemsOfId_.end()) row.otherItemsText = other->second;
        rows_.push_back(std::move(row));
    }
}

void ClAccountSelectDialog::Initialise() {
    showAll_ = false;
    checkedSet_.clear();
    amountOfCode_.clear();
    hasAmounts_ = static_cast<bool>(amounts);
    if (hasAmounts_) shown_ = amounts();
    FindOtherItems();
    FillAccountList(HasClasses() ? classCodes : nullptr);

    const std::vector<MappingEntry> entries =
        currentMapping != nullptr ? currentMapping->EntriesOf(itemNo) : std::vector<MappingEntry>();

    // Every mapped account is to be visible, as far as the listing allows.
    for (const MappingEntry& entry : entries) {
        const std::int32_t code = FindAccountById(entry.accountId(), nullptr);
        if (code != -1 && !FindAccountByCode(AccountSource::kListedAccounts, code, nullptr)) {
            showAll_ = true;
            FillAccountList(nullptr);
            break;
        }
    }

    // A row stands for the first listed account of its displayed code; an
    // entry checks the first row whose account has the entry's id.
    std::unordered_map<std::string, std::size_t> rowOfId;
    rowOfId.reserve(rows_.size());
    for (std::size_t r = 0; r < rows_.size(); ++r) {
        AccountRecord account;
        if (FindAccountByCode(AccountSource::kListedAccounts, rows_[r].displayedCode, &account)) {
            rowOfId.emplace(FormatAccountId(account), r);
        }
    }
    for (const MappingEntry& entry : entries) {
        const auto found = rowOfId.find(entry.accountId());
        if (found != rowOfId.end()) rows_[found->second].checked = true;
    }

    RebuildCheckedSet(CheckSource::kFromRows);
}

void ClAccountSelectDialog::RebuildCheckedSet(CheckSource source) {
    switch (source) {
        case CheckSource::kFromDefaults: {
            checkedSet_.clear();
            if (defaultMapping == nullptr) return;
            std::unordered_set<std::int32_t> seen;
            for (const MappingEntry& entry : defaultMapping->EntriesOf(itemNo)) {
                const std::int32_t code = FindAccountById(entry.accountId(), nullptr);
                if (code == -1) continue;
                const std::int32_t displayed = code / AccountDirectory::kSubAccountRange;
                if (seen.insert(displayed).second) checkedSet_.push_back(displayed);
            }
            return;
        }
        case CheckSource::kFromRows:
            checkedSet_ = CheckedSetFromRows();
            return;
        case CheckSource::kFromAllAccounts: {
            checkedSet_.clear();
            std::unordered_set<std::int32_t> seen;
            for (const AccountRecord& record : accounts->AllListedAccounts()) {
                const std::int32_t displayed = record.Code() / AccountDirectory::kSubAccountRange;
                if (seen.insert(displayed).second) checkedSet_.push_back(displayed);
            }
            return;
        }
        case CheckSource::kCleared:
            checkedSet_.clear();
            return;
    }
}

std::vector<std::int32_t> ClAccountSelectDialog::CheckedSetFromRows() const {
    // Each row takes its code out of the set and puts it back at the end
    // when checked; codes without a row keep their places. Removed slots
    // are marked and dropped at the end instead of being erased one by one.
    std::vector<std::int32_t> slots = checkedSet_;
    std::vector<bool> removed(slots.size(), false);
    std::unordered_map<std::int32_t, std::size_t> slotOfCode;
    slotOfCode.reserve(slots.size() + rows_.size());
    for (std::size_t i = 0; i < slots.size(); ++i)
        slotOfCode.emplace(slots[i], i);
    for (const AccountRow& row : rows_) {
        const auto found = slotOfCode.find(row.displayedCode);
        if (found != slotOfCode.end()) {
            removed[found->second] = true;
            slotOfCode.erase(found);
        }
        if (row.checked) {
            slotOfCode.emplace(row.displayedCode, slots.size());
            slots.push_back(row.displayedCode);
            removed.push_back(false);
        }
    }
    std::vector<std::int32_t> set;
    set.reserve(slots.size());
    for (std::size_t i = 0; i < slots.size(); ++i) {
        if (!removed[i]) set.push_back(slots[i]);
    }
    return set;
}

void ClAccountSelectDialog::FindOtherItems() {
    otherItemsOfId_.clear();
    if (currentMapping == nullptr) return;
    // An account in two items of the same part is counted twice in the
    // statement; the monthly items are a part of their own.
    const bool monthly = IsMonthlyItemNo(itemNo);
    std::unordered_map<std::string, std::vector<int>> itemsOfId;
    for (const MappingEntry& entry : *currentMapping) {
        if (entry.itemNo == itemNo || IsMonthlyItemNo(entry.itemNo) != monthly ||
            !(IsMainItemNo(entry.itemNo) || IsMonthlyItemNo(entry.itemNo))) {
            continue;
        }
        std::vector<int>& items = itemsOfId[entry.accountId()];
        if (std::find(items.begin(), items.end(), entry.itemNo) == items.end()) {
            items.push_back(entry.itemNo);
        }
    }
    for (auto& [id, items] : itemsOfId) {
        std::sort(items.begin(), items.end());
        std::string text;
        for (const int other : items) {
            if (!text.empty()) text += "、";
            text += "No." + std::to_string(other);
            const StatementItem* item =
                itemCatalogue != nullptr ? itemCatalogue->FindItem(other) : nullptr;
            if (item != nullptr && !item->IsUnusedSlot()) text += " " + item->name();
        }
        otherItemsOfId_.emplace(id, std::move(text));
    }
}

const std::optional<ItemAmounts>& ClAccountSelectDialog::AmountOfCode(std::int32_t code) const {
    static const std::optional<ItemAmounts> kNone;
    if (shown_.amounts == nullptr) return kNone;
    const auto found = amountOfCode_.find(code);
    if (found != amountOfCode_.end()) return found->second;
    std::optional<ItemAmounts> amount = ItemAmounts{};
    AccountRecord account;
    if (FindAccountByCode(AccountSource::kAccountTable, code, &account)) {
        amount = shown_.amounts->Contribution(FormatAccountId(account), itemNo, itemSide);
    }
    return amountOfCode_.emplace(code, amount).first->second;
}

std::string ClAccountSelectDialog::TotalText() const {
    if (!hasAmounts_) return {};
    if (shown_.amounts == nullptr) return UnavailableText(shown_.status);
    ItemAmounts total{};
    try {
        for (const std::int32_t code : CheckedSetFromRows()) {
            const std::optional<ItemAmounts>& amount = AmountOfCode(code);
            if (!amount) return kAmountsUnavailableText;
            for (std::size_t slot = 0; slot < total.size(); ++slot) {
                total[slot] =
                    (ClAmount::FromCount(total[slot]) + ClAmount::FromCount((*amount)[slot]))
                        .ToCount();
            }
        }
    } catch (const AmountOutOfRange&) {
        return kAmountsUnavailableText;
    }
    return TotalLine(ShownYen(itemNo, total), shown_.period);
}

void ClAccountSelectDialog::OnRowCheckToggled(std::size_t row, bool checked) {
    if (row < rows_.size()) rows_[row].checked = checked;
}

void ClAccountSelectDialog::OnShowAllToggled(bool checked) {
    RebuildCheckedSet(CheckSource::kFromRows);
    showAll_ = checked;
    FillAccountList(checked || !HasClasses() ? nullptr : classCodes);
    // Each checked code checks the first row that shows it.
    std::unordered_map<std::int32_t, std::size_t> firstRowOfCode;
    firstRowOfCode.reserve(rows_.size());
    for (std::size_t r = 0; r < rows_.size(); ++r)
        firstRowOfCode.emplace(rows_[r].displayedCode, r);
    for (const std::int32_t code : checkedSet_) {
        const auto found = firstRowOfCode.find(code);
        if (found != firstRowOfCode.end()) rows_[found->second].checked = true;
    }
}

void ClAccountSelectDialog::CheckRowsOfCheckedSet() {
    const std::unordered_set<std::int32_t> codes(checkedSet_.begin(), checkedSet_.end());
    for (AccountRow& row : rows_)
        row.checked = codes.count(row.displayedCode) != 0;
}

void ClAccountSelectDialog::OnListMenuCommand(int command) {
    const auto checkAllRows = [this](bool checked) {
        for (AccountRow& row : rows_)
            row.checked = checked;
    };
    switch (command) {
        case kRestoreDefaultChecks:
            RebuildCheckedSet(CheckSource::kFromDefaults);
            CheckRowsOfCheckedSet();
            break;
        case kCheckShownAccounts:
            checkAllRows(true);
            RebuildCheckedSet(CheckSource::kFromRows);
            break;
        case kClearShownAccounts:
            checkAllRows(false);
            RebuildCheckedSet(CheckSource::kFromRows);
            break;
        case kCheckAllAccounts:
            showAll_ = true;
            FillAccountList(nullptr);
            checkAllRows(true);
            RebuildCheckedSet(CheckSource::kFromAllAccounts);
            break;
        case kClearAllAccounts:
            checkAllRows(false);
            RebuildCheckedSet(CheckSource::kCleared);
            break;
        default:
            break;
    }
}

void ClAccountSelectDialog::ApplySelection() {
    RebuildCheckedSet(CheckSource::kFromRows);
    if (currentMapping == nullptr) return;
    std::vector<std::string> accountIds;
    accountIds.reserve(checkedSet_.size());
    for (const std::int32_t code : checkedSet_) {
        AccountRecord account;
        // Accounts gone from the table are dropped.
        if (FindAccountByCode(AccountSource::kAccountTable, code, &account)) {
            accountIds.push_back(FormatAccountId(account));
        }
    }
    // Every entry of the item goes, reserved figure keywords included.
    currentMapping->ReplaceSources(itemNo, accountIds);
}

ClAccountSelectDialog::KeyAction ClAccountSelectDialog::DecideKey(const KeyMessage& message,
                                                                  KeyFocus focus) {
    if (!message.IsPlainKeyDown()) return KeyAction::kPass;
    if (message.key == kKeyF12) return KeyAction::kApply;
    if (message.key != kKeyEnter) return KeyAction::kPass;
    switch (focus) {
        case KeyFocus::kList:
            return KeyAction::kFocusShowAllBox;
        case KeyFocus::kShowAllBox:
            return KeyAction::kFocusApplyButton;
        case KeyFocus::kApplyButton:
            return KeyAction::kApply;
        case KeyFocus::kElsewhere:
            break;
    }
    return KeyAction::kPass;
}
