// The account selection dialog of a statement item, and the account look-ups
// it carries. The look-ups need no window: the default mapping loader, the
// aggregation and the mapping pages use them on a dialog that is never shown.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "host/host_records.h"
#include "model/mapping_list.h"
#include "model/statement_item.h"

// "0x" and 32 lower-case hexadecimal digits: the text form of an account's
// 16-byte identifier, as a mapping entry names the account.
using AccountIdText = std::string;

class ClAccountSelectDialog {
  public:
    // Where FindAccountByCode looks.
    enum class AccountSource { kListedAccounts, kAccountTable };

    // The displayed name keeps at most this many bytes.
    static constexpr std::size_t kDisplayedNameBytes = 50;

    // The code of a main account as the user sees it is code / 10000; a
    // value below 10000 given to a look-up is taken as such a displayed code.
    static constexpr std::int32_t kSubAccountRange = 10000;

    // The full code of `code`: a displayed code (below 10000) times 10000,
    // any other value unchanged. Values so negative that the product would
    // not fit are left as they are.
    static std::int32_t FullAccountCode(std::int32_t code);

    // A main account that the dialog lists and the look-ups by code find:
    // code not 0, a multiple of 10000, flag bytes 110 and 112 both 0.
    static bool IsListedAccount(const AccountRecord& record);

    // The main account with `code` (displayed or full). From the listed
    // accounts: the first with that code. From the account table: the first
    // listed account (see IsListedAccount) that the one-account filter
    // delivers. True and a copy in `*record` (when not null) when found.
    bool FindAccountByCode(AccountSource source, std::int32_t code, AccountRecord* record) const;

    // Walks the whole account table for the account whose id text equals
    // `accountId`, skipping codes that are 0 or negative, sub-accounts and
    // accounts whose flag byte 110 is exactly 1. Returns its full code and
    // copies it into `*record` (when not null); -1 when none matches.
    std::int32_t FindAccountById(const std::string& accountId, AccountRecord* record) const;

    // The id text of the 16 identifier bytes at `idBytes` (only those are read).
    static AccountIdText FormatAccountId(const std::uint8_t* idBytes);
    static AccountIdText FormatAccountId(const AccountRecord& record) {
        return FormatAccountId(record.IdBytes());
    }
    static AccountIdText FormatAccountId(const AccountTotalsRecord& record) {
        return FormatAccountId(record.IdBytes());
    }

    // `name` up to its first NUL, cut to 50 bytes without splitting a
    // double-byte character, without trailing ASCII or full-width blanks.
    static std::string TrimAccountName(const std::string& name);

    // Set by the page that opens the dialog.
    std::int16_t itemNo = 0;
    std::string captionText;
    const std::array<std::uint32_t, kClassCodeSlots>* classCodes = nullptr;
    MappingList* currentMapping = nullptr;
    const MappingList* defaultMapping = nullptr;

  protected:
    // Displayed codes the user has checked, visible in the list or not.
    std::vector<std::int32_t> checkedSet_;
    // The accounts shown in the list, in row order.
    std::vector<AccountRecord> listedAccounts_;
};
