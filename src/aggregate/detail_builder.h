// The detail of one run, read from the aggregation's record: every item's
// sources in the order of the current mapping, with what each gave, and the
// checks of the mapping. Nothing is queried or walked a second time.
#pragma once

#include "aggregate/aggregation_record.h"
#include "model/account_directory.h"
#include "model/aggregation_detail.h"
#include "model/item_catalogue.h"
#include "model/mapping_list.h"

// `record` is what the aggregation of `items` from `mapping` kept.
AggregationDetail BuildAggregationDetail(const AggregationRecord& record,
                                         const ItemCatalogue& items, const MappingList& mapping,
                                         const AccountDirectory& accounts);
