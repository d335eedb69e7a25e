#include "hostsim/filter_eval.h"

#include <cstdio>
#include <string>

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

const char* FieldName(std::int32_t field) {
    switch (field) {
        case kFieldAccountCode:
            return "code";
        case kFieldAccountClass:
            return "class";
        case kFieldAccountingMonth:
            return "month";
        default:
            return "field?";
    }
}

const char* OperatorText(std::int16_t op) {
    switch (op) {
        case kOperatorEqual:
            return "=";
        case kOperatorNotEqual:
            return "<>";
        case kOperatorAtLeast:
            return ">=";
        case kOperatorAtMost:
            return "<=";
        default:
            return "?";
    }
}

std::string ValueText(const FilterCondition& condition) {
    if (condition.Field() != kFieldAccountClass) return std::to_string(condition.Value());
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%08x", static_cast<unsigned>(condition.Value()));
    return hex;
}

}  // namespace

std::string DescribeFilter(const AccountFilter& filter) {
    std::string text;
    const std::size_t count = filter.ConditionCount();
    if (count == 1 && filter.Condition(0).Field() == 0) return text;
    for (std::size_t i = 0; i < count; ++i) {
        const FilterCondition& condition = filter.Condition(i);
        if (i > 0) text += filter.Condition(i - 1).Link() == kLinkAnd ? " and " : " or ";
        text += FieldName(condition.Field());
        text += OperatorText(condition.Operator());
        text += ValueText(condition);
    }
    return text;
}

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
