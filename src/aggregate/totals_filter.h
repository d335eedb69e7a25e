// The month filter of the totals query: from the first to the last chosen
// accounting month, plus the adjustment periods that belong to them.
#pragma once

#include <cstdint>

#include "host/account_filter.h"
#include "host/host_records.h"

class Host;

// Accounting month codes of the two adjustment periods.
constexpr std::int16_t kInterimAdjustmentMonth = 15;
constexpr std::int16_t kYearEndAdjustmentMonth = 18;
// The filter never holds more conditions than this.
constexpr std::size_t kTotalsFilterConditions = 4;
// The position within the fiscal year of the interim settlement's last month.
constexpr std::int16_t kInterimEndPosition = 6;

// Conditions on the accounting month, each of type signed 16-bit:
//   1. position >= S (and)    2. position <= E
//   then "or month 15" when the dataset has an interim settlement and E is
//   the sixth position, and "or month 18" when endMonth closes the fiscal
//   year. S and E are the positions of startMonth and endMonth within the
//   dataset's fiscal year. All other bytes are zero.
AccountFilter PrepareTotalsFilter(Host& host, const DatasetRecord& dataset, std::int16_t startMonth,
                                  std::int16_t endMonth);
// The same filter for the fiscal year's months as FiscalMonthRange gives
// them, without asking the host.
AccountFilter TotalsFilterOfMonths(const DatasetRecord& dataset, std::int16_t fiscalStart,
                                   std::int16_t fiscalEnd, std::int16_t startMonth,
                                   std::int16_t endMonth);
// Every slot of the fiscal year: positions 1 to 12 and both adjustment
// periods.
AccountFilter WholeYearTotalsFilter();

// What the aggregation reads back from such a filter.
struct TotalsMonthSpan {
    std::int16_t startPosition = 0;
    std::int16_t endPosition = 0;
    bool yearEndIncluded = false;
};
TotalsMonthSpan ReadTotalsMonthSpan(const AccountFilter& filter);
