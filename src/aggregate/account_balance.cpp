#include "aggregate/account_balance.h"

#include "model/progress_sink.h"

namespace {

constexpr std::uint8_t kDebitSide = 1;
constexpr int kLastMonthPosition = 12;

bool IsPosition(int position) {
    return position >= 1 && position <= kLastMonthPosition;
}

}  // namespace

AggregationPeriod AggregationPeriod::Of(bool taxInclusive, const TotalsMonthSpan& span,
                                        const DatasetRecord& dataset) {
    AggregationPeriod period;
    period.debit = taxInclusive ? TotalsRow::Column::kDebitInTax : TotalsRow::Column::kDebitExTax;
    period.credit =
        taxInclusive ? TotalsRow::Column::kCreditInTax : TotalsRow::Column::kCreditExTax;
    period.start = span.startPosition;
    period.end = span.endPosition;
    period.yearEnd = span.yearEndIncluded;
    period.interim = dataset.InterimSettlement() == 1 && span.endPosition == kInterimEndPosition;
    period.introMonth = dataset.IntroMonth();
    return period;
}

bool AggregationPeriod::WithinYear() const {
    return IsPosition(start) && IsPosition(end);
}

int AggregationPeriod::SlotCount() const {
    if (interim) return static_cast<int>(kInterimSlot) + 1;
    return yearEnd ? static_cast<int>(kYearEndSlot) + 1 : end + 1;
}

ClAmount AccountBalance(const TotalsRow& row, const AggregationPeriod& period,
                        ProgressSink& progress) {
    const bool debitSide = row.side == kDebitSide;
    const auto debit = [&](int slot) {
        return ClAmount::FromCount(row.Amount(period.debit, static_cast<std::size_t>(slot)));
    };
    const auto credit = [&](int slot) {
        return ClAmount::FromCount(row.Amount(period.credit, static_cast<std::size_t>(slot)));
    };

    // The balance brought into the period, counted only once the data has
    // been introduced.
    ClAmount debits;
    ClAmount credits;
    for (int i = 0; i < period.start; ++i) {
        debits += debit(i);
        credits += credit(i);
    }
    ClAmount opening;
    if (period.introMonth <= period.end) opening = debitSide ? debits - credits : credits - debits;

    const int periodEnd =
        period.yearEnd ? static_cast<int>(AggregationPeriod::kYearEndSlot) + 1 : period.end + 1;
    debits = ClAmount();
    credits = ClAmount();
    for (int i = period.start; i < periodEnd; ++i) {
        progress.Tick();
        debits += debit(i);
        credits += credit(i);
    }
    if (period.interim) {
        debits += debit(static_cast<int>(AggregationPeriod::kInterimSlot));
        credits += credit(static_cast<int>(AggregationPeriod::kInterimSlot));
    }
    return debitSide ? (opening + debits) - credits : (opening + credits) - debits;
}

ClassFigure FigureOfRow(const TotalsRow& row) {
    for (std::size_t f = 0; f < kClassFigureCount; ++f) {
        const FigureRule& rule = kFigureRules[f];
        if (row.classCode != rule.classCode) continue;
        if (!rule.flagTest || (row.figureSource == 1 && row.figureBlocked == 0)) {
            return static_cast<ClassFigure>(f);
        }
        return ClassFigure::kCount;
    }
    return ClassFigure::kCount;
}
