// What the default mapping loader needs from the chart of accounts of the
// open dataset: the id text of the main account that has a given code. The
// model does not know how accounts are found; the account selection dialog's
// look-ups implement this for the program, tests use a fake.
#pragma once

#include <cstdint>
#include <string>

class AccountLookup {
  public:
    virtual ~AccountLookup() = default;

    // The AccountIdText ("0x" and 32 lower-case hexadecimal digits) of the
    // main account whose code in the account table is `code`; empty when the
    // dataset has none.
    //
    // `code` is already normalised by the caller: a short code (below 10000)
    // has been multiplied by 10000, and only positive codes are asked for, so
    // `code` is always at least 10000. A look-up that itself treats values
    // below 10000 as displayed codes therefore gives the same answer.
    virtual std::string AccountIdOfCode(std::int32_t code) = 0;
};
