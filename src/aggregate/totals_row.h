// One totals row of the host as the aggregation reads it: the account, its
// classification and flags, and the fifteen slots of its four amount
// columns. The run reads each row of its query into this form; the sheet
// keeps the rows of one query in it, so that both work out balances from
// the same values in the same way.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "host/host_records.h"
#include "model/account_id_text.h"

struct TotalsRow {
    using Column = AccountTotalsRecord::Column;
    static constexpr std::size_t kSlotCount = AccountTotalsRecord::kSlotCount;
    static constexpr std::size_t kColumnCount = 4;

    AccountIdBytes id{};
    std::uint32_t classCode = 0;
    std::uint8_t side = 0;
    std::uint8_t figureSource = 0;
    std::uint8_t figureBlocked = 0;
    std::uint8_t unmapped = 0;
    // By column, in the order of Column; ten-thousandths.
    std::array<std::array<std::int64_t, kSlotCount>, kColumnCount> amounts{};

    static TotalsRow Of(const AccountTotalsRecord& record) {
        TotalsRow row;
        for (std::size_t i = 0; i < row.id.size(); ++i)
            row.id[i] = record.IdBytes()[i];
        row.classCode = record.ClassCode();
        row.side = record.Side();
        row.figureSource = record.FigureSource();
        row.figureBlocked = record.FigureBlocked();
        row.unmapped = record.Unmapped();
        for (const Column column : {Column::kDebitExTax, Column::kDebitInTax, Column::kCreditExTax,
                                    Column::kCreditInTax}) {
            for (std::size_t slot = 0; slot < kSlotCount; ++slot)
                row.amounts[static_cast<std::size_t>(column)][slot] = record.Amount(column, slot);
        }
        return row;
    }

    std::int64_t Amount(Column column, std::size_t slot) const {
        return amounts[static_cast<std::size_t>(column)].at(slot);
    }
};
