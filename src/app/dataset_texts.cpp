#include "app/dataset_texts.h"

#include <cstdio>

#include "model/shift_jis_text.h"

namespace {
constexpr std::size_t kCompanyTextBytes = 51;
}

std::string CompanyDisplayText(const std::string& companyName) {
    // The leading blank and the terminator leave 49 bytes for the name.
    return " " + CutAtCharacterBoundary(companyName, kCompanyTextBytes - 2);
}

std::string PeriodDisplayText(std::int32_t periodStart, std::int32_t periodEnd) {
    char text[96];
    std::snprintf(text, sizeof text, " %04d/%02d/%02d～%04d/%02d/%02d", periodStart / 10000,
                  periodStart % 10000 / 100, periodStart % 100, periodEnd / 10000,
                  periodEnd % 10000 / 100, periodEnd % 100);
    return text;
}
