// The amounts as the mapping pages and the account dialog show them: yen
// with separators, the total line with its period and tax view, and what
// is said when there are no amounts to show.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "aggregate/period_amounts.h"
#include "aggregate/sheet_amounts.h"

// The amounts under the conditions as they stand, or why there are none.
struct AmountsOnScreen {
    // Null when there are none to show.
    const PeriodAmounts* amounts = nullptr;
    SheetAmounts::Status status = SheetAmounts::Status::kNotRead;
    SheetAmounts::Period period;
};
// How a page or dialog asks for them; the first call reads the host.
using AmountsSource = std::function<AmountsOnScreen()>;

extern const char kAmountsUnavailableText[];

// "1,234,567円".
std::string YenText(std::int64_t yen);
// "（2025年4月～2026年3月・税抜）".
std::string PeriodText(const SheetAmounts::Period& period);
// "合計 1,234,567円（2025年4月～2026年3月・税抜）".
std::string TotalLine(std::int64_t yen, const SheetAmounts::Period& period);
// "金額を表示できません", with the reason when the user can mend it.
std::string UnavailableText(SheetAmounts::Status status);
