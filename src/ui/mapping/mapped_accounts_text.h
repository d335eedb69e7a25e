// The text of an item button's tooltip: the names of the accounts mapped to
// the item.
#pragma once

#include <cstddef>
#include <string>

#include "model/account_directory.h"
#include "model/mapping_list.h"

// The tooltip text holds at most this many bytes.
constexpr std::size_t kMappedAccountsTextBytes = 9999;

// The text when no mapped account is found.
extern const char kNoMappedAccountsText[];

// The names of the accounts that `currentMapping` maps to `itemNo`, in list
// order, joined by " / ", each exactly as the account record stores it.
// Entries that name no account (gone from the table, or a reserved figure
// keyword) are skipped. The text stops before the first name that would take
// it past kMappedAccountsTextBytes.
std::string DescribeMappedAccounts(const MappingList& currentMapping, int itemNo,
                                   const AccountDirectory& accounts);
