// The amounts the condition sheet shows before the run: the host's totals
// query runs once, the first time a mapping page or the account dialog asks
// for amounts, and whenever page 1's end month or tax view has changed the
// amounts are worked out anew from the kept rows, without the host.
#pragma once

#include <cstdint>
#include <memory>

#include "aggregate/kept_totals.h"
#include "aggregate/period_amounts.h"
#include "host/host.h"
#include "host/host_records.h"
#include "model/aggregation_conditions.h"

class SheetAmounts {
  public:
    enum class Status {
        kShown,
        // The host refused the query or a step of it failed.
        kNotRead,
        // "実行(F12)" would refuse the period.
        kWrongPeriod,
        // An amount reached its bound: the run would fail.
        kOutOfRange,
    };

    // The months and tax view the amounts are for, as the sheet names them.
    struct Period {
        int firstYear = 0;
        int firstMonth = 0;
        int lastYear = 0;
        int lastMonth = 0;
        bool taxInclusive = false;
    };

    // `fiscalStart` and `fiscalEnd` as FiscalMonthRange gave them for the
    // dataset's period. `host` must outlive this object.
    SheetAmounts(Host& host, const DatasetRecord& dataset, std::int16_t fiscalStart,
                 std::int16_t fiscalEnd);
    SheetAmounts(const SheetAmounts&) = delete;
    SheetAmounts& operator=(const SheetAmounts&) = delete;

    // The amounts under `conditions` as they stand now, or null (then
    // status() says why). The first call reads the host's totals.
    const PeriodAmounts* For(const AggregationConditions& conditions);
    Status status() const { return status_; }
    // The period of the amounts For last gave.
    const Period& period() const { return period_; }
    const KeptTotals& kept() const { return kept_; }

  private:
    Host& host_;
    DatasetRecord dataset_;
    std::int16_t fiscalStart_;
    std::int16_t fiscalEnd_;
    KeptTotals kept_;
    Status status_ = Status::kNotRead;
    Period period_;
    // What the amounts were last worked out for.
    std::int16_t startMonth_ = 0;
    std::int16_t endMonth_ = 0;
    bool taxInclusive_ = false;
    std::unique_ptr<PeriodAmounts> amounts_;
};
