#include "ui/mapping/account_select_dialog.h"

#include "model/account_id_text.h"

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>

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

}  // namespace

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
        for (const AccountRecord& listed : listedAccounts_) {
            if (listed.Code() != fullCode) continue;
            if (record != nullptr) *record = listed;
            return true;
        }
        return false;
    }

    // The filter selects by code only; sub-accounts and accounts the list
    // never shows must not be found either, or they could be mapped.
    if (!IsMainAccountCode(fullCode)) return false;
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
