#include "ui/mapping/host_account_lookup.h"

#include <cstdint>
#include <string>

#include "host/host_records.h"
#include "ui/mapping/account_select_dialog.h"

std::string HostAccountLookup::AccountIdOfCode(std::int32_t code) {
    AccountRecord record;
    if (!dialog_.FindAccountByCode(ClAccountSelectDialog::AccountSource::kAccountTable, code,
                                   &record)) {
        return std::string();
    }
    return ClAccountSelectDialog::FormatAccountId(record);
}
