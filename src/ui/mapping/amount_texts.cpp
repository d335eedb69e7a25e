#include "ui/mapping/amount_texts.h"

#include <cstdio>
#include <string>

#include "model/grouped_digits.h"

const char kAmountsUnavailableText[] = "金額を表示できません";

std::string YenText(std::int64_t yen) {
    return GroupedInteger(yen) + "円";
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
