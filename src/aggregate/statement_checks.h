// The checks of the statement as the form's reader makes them: the months
// of a monthly item against the main items they must add up to, the parts
// of a total against it, closing inventory against the inventory assets,
// and runs that are not a whole year in the company's own tax view. Read
// from the amounts the run wrote; nothing is asked of the host again.
#pragma once

#include <vector>

#include "model/aggregation_detail.h"
#include "model/item_catalogue.h"

// Each monthly item that has its counterparts among the main items, with
// both sums.
std::vector<DetailReconciliation> ReconcileMonths(const ItemCatalogue& items);

// Appends the statement's findings to `findings`. `sources` are the items'
// sources by catalogue position.
void CheckStatement(const ItemCatalogue& items,
                    const std::vector<std::vector<DetailSource>>& sources,
                    const std::vector<DetailReconciliation>& reconciliations, const DetailRun& run,
                    std::vector<DetailFinding>& findings);
