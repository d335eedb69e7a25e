// The totals rows of the open dataset for every slot of its fiscal year,
// read once from the host's totals query while the condition sheet is open
// and kept, so that the amounts of any period and tax view can be worked
// out from them without asking the host again.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "aggregate/totals_row.h"
#include "host/host.h"
#include "model/account_id_text.h"

class KeptTotals {
  public:
    enum class State { kNotRead, kRead, kFailed };

    // The first call runs the query, set up as the run sets up its own, over
    // the opening, months 1 to 12 and both adjustment periods; it keeps the
    // rows when every step succeeded. Later calls ask nothing. A query the
    // host refuses, a failed step, a query bound to a dataset other than
    // `datasetId` (the one read at start) or an exception leaves nothing kept.
    State Read(Host& host, const std::string& datasetId);
    State state() const { return state_; }

    // In the order the host delivered them.
    const std::vector<TotalsRow>& rows() const { return rows_; }
    // The positions in rows() of the rows of account `id`, in row order.
    std::pair<const std::uint32_t*, const std::uint32_t*> RowsOf(const AccountIdBytes& id) const;
    // The memory the rows and their index hold.
    std::size_t KeptBytes() const;

  private:
    bool ReadRows(Host& host, const std::string& datasetId);

    State state_ = State::kNotRead;
    std::vector<TotalsRow> rows_;
    // Row positions ordered by id, and by position within one id.
    std::vector<std::uint32_t> byId_;
};
