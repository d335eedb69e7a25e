// The condition record that start-up fills before the sheet runs and
// reads after it.
#pragma once

#include <cstdint>
#include <string>

struct AggregationConditions {
    std::string outputPath;  // at most 260 bytes
    std::int16_t startMonth = 0;
    std::int16_t endMonth = 0;
    std::int16_t taxInclusive = 0;
    // The company's own tax view, which the sheet offers when nothing was
    // saved; the detail notes a run in the other one.
    std::int16_t companyTaxInclusive = 0;
    std::int16_t introMonth = 0;
    std::int16_t netAssetsStyle = 0;
    std::int32_t periodStart = 0;
    std::int32_t periodEnd = 0;
    std::int32_t selectionFirst = 0;
    std::int32_t selectionSecond = 0;
    std::string userId;  // at most 64 bytes
    std::int32_t pathFixed = 0;
    std::string savedPath;  // at most 260 bytes
};
