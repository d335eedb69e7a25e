#include "ui/mapping/amount_texts.h"

#include <cstdio>
#include <string>

const char kAmountsUnavailableText[] = "金額を表示できません";

std::string GroupedYen(std::int64_t yen) {
    const std::uint64_t magnitude =
        yen < 0 ? 0 - static_cast<std::uint64_t>(yen) : static_cast<std::uint64_t>(yen);
    std::string digits = std::to_string(magnitude);
    for (std::size_t at = digits.size(); at > 3; at -= 3)
        digits.insert(at - 3, ",");
    return (yen < 0 ? "-" : "") + digits;
}

std::string YenText(std::int64_t yen) {
    return GroupedYen(yen) + "円";
}

std::string PeriodText(const SheetAmounts::Period& period) {
    char text[96];
    std::snprintf(text, sizeof text, "（%d年%d月～%d年%d月・%s）", period.firstYear,
                  period.firstMonth, period.lastYear, period.lastMonth,
                  period.taxInclusive ? "税込" : "税抜");
    return text;
}

std::string TotalLine(std::int64_t yen, const SheetAmounts::Period& period) {
    return "合計 " + YenText(yen) + PeriodText(period);
}

std::string UnavailableText(SheetAmounts::Status status) {
    if (status == SheetAmounts::Status::kWrongPeriod) {
        return std::string(kAmountsUnavailableText) + "（集計期間に誤りがあります）";
    }
    return kAmountsUnavailableText;
}
