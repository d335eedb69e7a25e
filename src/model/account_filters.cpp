#include "model/account_filters.h"

#include <array>
#include <cstddef>
#include <cstdint>

#include "host/account_filter.h"
#include "model/statement_item.h"

static_assert(kClassCodeSlots <= AccountFilter::kMaxConditions,
              "every class code needs its own condition");

AccountFilter ClassAccountFilter(const std::array<std::uint32_t, kClassCodeSlots>& classCodes) {
    std::size_t count = 0;
    while (count < classCodes.size() && classCodes[count] != 0)
        ++count;
    if (count == 0) return AllAccountsFilter();

    AccountFilter filter;
    for (std::size_t i = 0; i < count; ++i) {
        filter.Condition(i).Set(kFieldAccountClass, kOperatorEqual, kValueUint32, classCodes[i],
                                i + 1 < count ? kLinkOr : kLinkNone);
    }
    return filter;
}

AccountFilter AllAccountsFilter() {
    AccountFilter filter;
    filter.Condition(0).Set(kFieldAccountCode, kOperatorNotEqual, kValueInt32, 0, kLinkNone);
    return filter;
}

AccountFilter AccountCodeFilter(std::int32_t fullCode) {
    AccountFilter filter;
    filter.Condition(0).Set(kFieldAccountCode, kOperatorEqual, kValueInt32, fullCode, kLinkNone);
    return filter;
}
