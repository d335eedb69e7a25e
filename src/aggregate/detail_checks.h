// The checks of one run's mapping that the detail document lists: facts
// about the sources, never guesses about what the user meant.
#pragma once

#include <vector>

#include "aggregate/aggregation_record.h"
#include "aggregate/record_accounts.h"
#include "model/aggregation_detail.h"
#include "model/item_catalogue.h"
#include "model/mapping_list.h"

// `sources` are the items' sources as BuildAggregationDetail traced them,
// `reconciliations` the monthly items against the main items, `run` what
// the run was asked for. Findings that need checking come first, each kind
// in a fixed order, items in catalogue order.
std::vector<DetailFinding> CheckAggregation(
    const RecordAccounts& known, const AggregationRecord& record, const ItemCatalogue& items,
    const MappingList& mapping, const std::vector<std::vector<DetailSource>>& sources,
    const std::vector<DetailReconciliation>& reconciliations, const DetailRun& run);
