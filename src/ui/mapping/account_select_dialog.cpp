#include "ui/mapping/account_select_dialog.h"

#include "model/account_id_text.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "host/account_filter.h"
#include "host/data_hub.h"
#include "host/host_types.h"
#include "host/tables.h"
#include "model/mapping_entry.h"
#include "model/record_text.h"
#include "model/shift_jis_text.h"
#include "ui/mapping/account_filters.h"

namespace {

// One walk over the account table on a cursor of its own, closed on every
// way out of the walk.
class AccountWalk {
  public:
    AccountWalk() {
        ClTableBase* table = ClDataHub::Instance()->GetTable(kTableAccounts, 1);
        if (table == nullptr) return;
        table_ = static_cast<ClAccountTable*>(table);
        if (table_->OpenCursor(&cursor_) != kHostOk) {
            table_ = nullptr;
            return;
        }
        prepared_ = table_->PrepareCursor(cursor_) == kHostOk;
    }
    ~AccountWalk() {
        if (table_ != nullptr) table_->CloseCursor(cursor_);
    }
    AccountWalk(const AccountWalk&) = delete;
    AccountWalk& operator=(const AccountWalk&) = delete;

    // Each step zeroes the record first, as the host expects.
    bool NextRecord(AccountRecord* record) {
        if (!Ready()) return false;
        record->Clear();
        return table_->NextRecord(record, cursor_) == kHostOk;
    }
    bool NextMatch(const AccountFilter& filter, AccountRecord* record) {
        if (!Ready()) return false;
        record->Clear();
        return table_->NextMatch(&filter, record, cursor_) == kHostOk;
    }

  private:
    bool Ready() const { return table_ != nullptr && prepared_; }

    ClAccountTable* table_ = nullptr;
    HostCursor cursor_ = nullptr;
    bool prepared_ = false;
};

bool IsMainAccountCode(std::int32_t code) {
    return code != 0 && code % ClAccountSelectDialog::kSubAccountRange == 0;
}

static_assert(2 + 2 * AccountRecord::kIdWidth == kAccountIdBytes,
              "an id text fills a mapping entry's account id exactly");

// The part of an id that SameAccountId compares: up to the first NUL, at
// most the whole field. Two ids are the same exactly when these are equal.
std::string ComparedIdText(const std::string& accountId) {
    const std::size_t end = std::min(accountId.find('\0'), kAccountIdCompareBytes);
    return accountId.substr(0, end);
}

}  // namespace

// The whole account table in its order, with the first answer of each
// look-up by id and by code, so that each is a hash look-up instead of a
// walk of the table.
struct ClAccountSelectDialog::TableSnapshot {
    std::vector<AccountRecord> records;
    std::unordered_map<std::string, std::size_t> byId;
    std::unordered_map<std::int32_t, std::size_t> byCode;
};

const char* const ClAccountSelectDialog::kListMenuTexts[kListMenuCommandCount] = {
    "デフォルトのチェック状態に戻す", "表示されている科目を全てチェック",
    "表示されている科目のチェックを全てはずす", "全ての科目をチェック",
    "全ての科目のチェックをはずす"};

std::int32_t ClAccountSelectDialog::FullAccountCode(std::int32_t code) {
    constexpr std::int32_t kLowestDisplayedCode =
        std::numeric_limits<std::int32_t>::min() / kSubAccountRange;
    if (code < kSubAccountRange && code >= kLowestDisplayedCode) return code * kSubAccountRange;
    return code;
}

bool ClAccountSelectDialog::IsListedAccount(const AccountRecord& record) {
    return IsMainAccountCode(record.Code()) && record.Flag110() == 0 && record.Flag112() == 0;
}

bool ClAccountSelectDialog::FindAccountByCode(AccountSource source, std::int32_t code,
                                              AccountRecord* record) const {
    const std::int32_t fullCode = FullAccountCode(code);
    if (source == AccountSource::kListedAccounts) {
        const auto found = firstListedOfCode_.find(fullCode);
        if (found == firstListedOfCode_.end()) return false;
        if (record != nullptr) *record = listedAccounts_[found->second];
        return true;
    }

    // The filter selects by code only; sub-accounts and accounts the list
    // never shows must not be found either, or they could be mapped.
    if (!IsMainAccountCode(fullCode)) return false;
    if (snapshot_ != nullptr) {
        const auto found = snapshot_->byCode.find(fullCode);
        if (found == snapshot_->byCode.end()) return false;
        if (record != nullptr) *record = snapshot_->records[found->second];
        return true;
    }
    const AccountFilter filter = AccountCodeFilter(fullCode);
    AccountWalk walk;
    AccountRecord candidate;
    while (walk.NextMatch(filter, &candidate)) {
        if (candidate.Code() != fullCode || !IsListedAccount(candidate)) continue;
        if (record != nullptr) *record = candidate;
        return true;
    }
    return false;
}

std::int32_t ClAccountSelectDialog::FindAccountById(const std::string& accountId,
                                                    AccountRecord* record) const {
    if (snapshot_ != nullptr) {
        const auto found = snapshot_->byId.find(ComparedIdText(accountId));
        if (found == snapshot_->byId.end()) return -1;
        const AccountRecord& account = snapshot_->records[found->second];
        if (record != nullptr) *record = account;
        return account.Code();
    }
    AccountWalk walk;
    AccountRecord candidate;
    while (walk.NextRecord(&candidate)) {
        const std::int32_t code = candidate.Code();
        if (code <= 0 || code % kSubAccountRange != 0 || candidate.Flag110() == 1) continue;
        if (!SameAccountId(FormatAccountId(candidate), accountId)) continue;
        if (record != nullptr) *record = candidate;
        return code;
    }
    return -1;
}

AccountIdText ClAccountSelectDialog::FormatAccountId(const std::uint8_t* idBytes) {
    return FormatAccountIdText(idBytes);
}

std::string ClAccountSelectDialog::TrimAccountName(const std::string& name) {
    const std::string text = BoundedRecordText(name, kDisplayedNameBytes);
    // Scanned character by character so that a trail byte 0x40 is never
    // taken for a blank.
    std::size_t end = 0;
    for (std::size_t i = 0; i < text.size();) {
        const bool pair =
            IsShiftJisLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size();
        const std::size_t width = pair ? 2 : 1;
        const bool blank = pair ? (text[i] == '\x81' && text[i + 1] == '\x40') : text[i] == ' ';
        i += width;
        if (!blank) end = i;
    }
    return text.substr(0, end);
}

void ClAccountSelectDialog::SnapshotAccountTable() {
    auto snapshot = std::make_shared<TableSnapshot>();
    AccountWalk walk;
    for (AccountRecord record; walk.NextRecord(&record);) {
        const std::size_t index = snapshot->records.size();
        snapshot->records.push_back(record);
        // The same rules as the walks of FindAccountById and of
        // FindAccountByCode; the first record in table order wins.
        const std::int32_t code = record.Code();
        if (code > 0 && code % kSubAccountRange == 0 && record.Flag110() != 1) {
            snapshot->byId.emplace(FormatAccountId(record), index);
        }
        if (IsListedAccount(record)) snapshot->byCode.emplace(code, index);
    }
    snapshot_ = std::move(snapshot);
}

void ClAccountSelectDialog::FillAccountList(
    const std::array<std::uint32_t, kClassCodeSlots>* classes) {
    const AccountFilter filter =
        classes != nullptr ? ClassAccountFilter(*classes) : AllAccountsFilter();
    rows_.clear();
    listedAccounts_.clear();
    firstListedOfCode_.clear();
    ++rowsGeneration_;

    AccountWalk walk;
    for (AccountRecord record; walk.NextMatch(filter, &record);) {
        if (IsListedAccount(record)) listedAccounts_.push_back(record);
    }
    rows_.reserve(listedAccounts_.size());
    for (std::size_t i = 0; i < listedAccounts_.size(); ++i) {
        const AccountRecord& account = listedAccounts_[i];
        firstListedOfCode_.emplace(account.Code(), i);
        AccountRow row;
        row.displayedCode = account.Code() / kSubAccountRange;
        char text[16];
        std::snprintf(text, sizeof text, "%d", static_cast<int>(row.displayedCode));
        row.codeText = text;
        row.nameText = TrimAccountName(account.Name());
        rows_.push_back(std::move(row));
    }
}

void ClAccountSelectDialog::Initialise() {
    SnapshotAccountTable();
    showAll_ = false;
    checkedSet_.clear();
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
        const auto found = rowOfId.find(ComparedIdText(entry.accountId()));
        if (found != rowOfId.end()) rows_[found->second].checked = true;
    }

    RebuildCheckedSet(CheckSource::kFromRows);
}

void ClAccountSelectDialog::RebuildCheckedSet(CheckSource source) {
    if (snapshot_ == nullptr) SnapshotAccountTable();
    switch (source) {
        case CheckSource::kFromDefaults: {
            checkedSet_.clear();
            if (defaultMapping == nullptr) return;
            std::unordered_set<std::int32_t> seen;
            for (const MappingEntry& entry : defaultMapping->EntriesOf(itemNo)) {
                const std::int32_t code = FindAccountById(entry.accountId(), nullptr);
                if (code == -1) continue;
                const std::int32_t displayed = code / kSubAccountRange;
                if (seen.insert(displayed).second) checkedSet_.push_back(displayed);
            }
            return;
        }
        case CheckSource::kFromRows: {
            // Each row takes its code out of the set and puts it back at the end
            // when checked; codes without a row keep their places. Removed slots
            // are marked and dropped at the end instead of being erased one by one.
            std::vector<std::int32_t> slots = std::move(checkedSet_);
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
            checkedSet_.clear();
            for (std::size_t i = 0; i < slots.size(); ++i) {
                if (!removed[i]) checkedSet_.push_back(slots[i]);
            }
            return;
        }
        case CheckSource::kFromAllAccounts: {
            checkedSet_.clear();
            std::unordered_set<std::int32_t> seen;
            for (const AccountRecord& record : snapshot_->records) {
                if (!IsListedAccount(record)) continue;
                const std::int32_t displayed = record.Code() / kSubAccountRange;
                if (seen.insert(displayed).second) checkedSet_.push_back(displayed);
            }
            return;
        }
        case CheckSource::kCleared:
            checkedSet_.clear();
            return;
    }
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
    if (message.kind != KeyMessageKind::kKeyDown || message.shift || message.ctrl || message.alt) {
        return KeyAction::kPass;
    }
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
