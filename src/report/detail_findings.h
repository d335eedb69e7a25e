// The checks section ("点検") of the aggregation detail: one row per
// finding, marked "要確認" or "参考", with the items and accounts it
// concerns and its kind, level, items and codes in data- attributes.
#pragma once

#include <string>
#include <vector>

#include "model/aggregation_detail.h"
#include "model/statement_item.h"

// The section's HTML, code page 932. `items` names the items findings
// refer to by number.
std::string DetailFindingsSection(const std::vector<DetailFinding>& findings,
                                  const std::vector<const StatementItem*>& items);
