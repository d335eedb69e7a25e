// The detail of one run, read from the aggregation's record: every item's
// sources in the order of the current mapping, with what each gave, and the
// checks of the mapping. Nothing is queried or walked a second time.
#pragma once

#include "aggregate/aggregation_record.h"
#include "host/account_filter.h"
#include "host/host_records.h"
#include "model/account_directory.h"
#include "model/aggregation_conditions.h"
#include "model/aggregation_detail.h"
#include "model/item_catalogue.h"
#include "model/mapping_list.h"

// `record` is what the aggregation of `items` from `mapping` kept, `run`
// what it was asked for.
AggregationDetail BuildAggregationDetail(const AggregationRecord& record,
                                         const ItemCatalogue& items, const MappingList& mapping,
                                         const AccountDirectory& accounts, const DetailRun& run);

// What a run with `filter` over `dataset` on `conditions` was asked for.
DetailRun DetailRunOf(const AccountFilter& filter, const DatasetRecord& dataset,
                      const AggregationConditions& conditions);
