// The chart of accounts of the open dataset as the program looks accounts up
// in it: by code, by identifier text, and the main accounts a listing
// shows. The default mapping loader, the account selection dialog, the item
// tooltips and the aggregation's detail use one directory; it reads the
// host's account table once, on the first look-up, and answers from that
// copy with the results the table walks give (the table does not change
// while the program runs).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host/host.h"
#include "host/host_records.h"
#include "model/account_lookup.h"
#include "model/statement_item.h"

// "0x" and 32 lower-case hexadecimal digits: the text form of an account's
// 16-byte identifier, as a mapping entry names the account.
using AccountIdText = std::string;

class AccountDirectory final : public AccountLookup {
  public:
    // The code of a main account as the user sees it is code / 10000; a
    // value below 10000 given to a look-up is taken as such a displayed code.
    static constexpr std::int32_t kSubAccountRange = 10000;
    // A displayed name keeps at most this many bytes.
    static constexpr std::size_t kDisplayedNameBytes = 50;

    explicit AccountDirectory(Host& host) : host_(host) {}

    // The full code of `code`: a displayed code (below 10000) times 10000,
    // any other value unchanged. Values so negative that the product would
    // not fit are left as they are.
    static std::int32_t FullAccountCode(std::int32_t code);
    // A main account that listings show and the look-ups by code find:
    // code not 0, a multiple of 10000, flag bytes 110 and 112 both 0.
    static bool IsListedAccount(const AccountRecord& record);
    // The id text of the 16 identifier bytes at `idBytes` (only those are read).
    static AccountIdText FormatAccountId(const std::uint8_t* idBytes);
    static AccountIdText FormatAccountId(const AccountRecord& record) {
        return FormatAccountId(record.IdBytes());
    }
    // `name` up to its first NUL, cut to 50 bytes without splitting a
    // double-byte character, without trailing ASCII or full-width blanks.
    static std::string TrimAccountName(const std::string& name);

    // The first listed account (see IsListedAccount) with `code` (displayed
    // or full) in the table's order. True and a copy in `*record` (when not
    // null) when found.
    bool FindByCode(std::int32_t code, AccountRecord* record) const;
    // The first account whose id text equals `accountId` (compared as
    // mapping entries compare ids), skipping codes that are 0 or negative,
    // sub-accounts and accounts whose flag byte 110 is exactly 1. Its full
    // code and a copy in `*record` (when not null); -1 when none matches.
    std::int32_t FindById(const std::string& accountId, AccountRecord* record) const;
    // The listed accounts of `classes` (every listed account for null or a
    // first class code of 0) in the table's order, as the host's filter
    // selects them.
    std::vector<AccountRecord> ListAccounts(
        const std::array<std::uint32_t, kClassCodeSlots>* classes) const;
    // Every listed account of the table, in its order.
    std::vector<AccountRecord> AllListedAccounts() const;

    // The default mapping loader's look-up: the id text of the listed
    // account with the full code `code`, or "".
    std::string AccountIdOfCode(std::int32_t code) override;

  private:
    struct Table;
    const Table& TableCopy() const;

    Host& host_;
    mutable std::shared_ptr<const Table> table_;
};
