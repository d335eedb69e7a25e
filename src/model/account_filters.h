// The account filters that the account look-ups and the account list pass
// to the host's NextMatch.
#pragma once

#include <array>
#include <cstdint>

#include "host/account_filter.h"
#include "model/statement_item.h"

// The item's account classes joined by "or": one condition per class code,
// up to the first 0. With no class code at all (first slot 0) it is the
// all-accounts filter, since an item without classes offers every account
// and an empty run would select none.
AccountFilter ClassAccountFilter(const std::array<std::uint32_t, kClassCodeSlots>& classCodes);

// Every account (the host reads "code not equal to 0" as all of them).
AccountFilter AllAccountsFilter();

// The account whose code equals `fullCode` (a full code, not a displayed one).
AccountFilter AccountCodeFilter(std::int32_t fullCode);
