#include "hostsim/filter_eval.h"

namespace hostsim {

namespace {

bool Compare(std::int64_t actual, std::int16_t op, std::int64_t expected) {
    switch (op) {
        case kOperatorEqual:
            return actual == expected;
        case kOperatorNotEqual:
            return actual != expected;
        case kOperatorAtLeast:
            return actual >= expected;
        case kOperatorAtMost:
            return actual <= expected;
        default:
            return false;
    }
}

bool ConditionHolds(const FilterCondition& condition, std::int32_t accountCode,
                    std::uint32_t classCode) {
    switch (condition.Field()) {
        case kFieldAccountCode:
            return Compare(accountCode, condition.Operator(), condition.Value());
        case kFieldAccountClass:
            return Compare(classCode, condition.Operator(), condition.Value());
        case kFieldAccountingMonth:
            // Months select totals slots, not accounts.
            return true;
        default:
            return false;
    }
}

}  // namespace

bool MatchesFilter(const AccountFilter& filter, std::int32_t accountCode, std::uint32_t classCode) {
    const std::size_t count = filter.ConditionCount();
    bool result = ConditionHolds(filter.Condition(0), accountCode, classCode);
    for (std::size_t i = 1; i < count; ++i) {
        const bool next = ConditionHolds(filter.Condition(i), accountCode, classCode);
        result = filter.Condition(i - 1).Link() == kLinkAnd ? (result && next) : (result || next);
    }
    return result;
}

}  // namespace hostsim
