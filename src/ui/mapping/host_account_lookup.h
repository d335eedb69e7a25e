// The default mapping loader's account look-up, answered from the open
// dataset's account table through the account selection dialog's look-ups.
#pragma once

#include <cstdint>
#include <string>

#include "model/account_lookup.h"
#include "ui/mapping/account_select_dialog.h"

class HostAccountLookup : public AccountLookup {
  public:
    std::string AccountIdOfCode(std::int32_t code) override;

  private:
    // Never shown: only its look-ups are used.
    ClAccountSelectDialog dialog_;
};
