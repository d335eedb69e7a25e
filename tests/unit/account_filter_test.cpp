#include <gtest/gtest.h>

#include "host/account_filter.h"
#include "hostsim/filter_eval.h"

namespace {

using hostsim::MatchesFilter;

TEST(AccountFilterLayout, ConditionBytesAtTheirOffsets) {
    AccountFilter filter;
    filter.Condition(0).Set(kFieldAccountClass, kOperatorEqual, kValueUint32, 0x80818000u, kLinkOr);
    filter.Condition(1).Set(kFieldAccountingMonth, kOperatorAtMost, kValueInt16, -2, kLinkNone);
    const std::uint8_t* bytes = filter.Condition(0).Data();
    EXPECT_EQ(bytes[0], 16);
    EXPECT_EQ(bytes[6], 1);
    EXPECT_EQ(bytes[10], 19);
    EXPECT_EQ(bytes[18], 0x00);
    EXPECT_EQ(bytes[21], 0x80);
    EXPECT_EQ(bytes[30], 2);
    // The second condition starts right after the first, 34 bytes in.
    const auto* whole = reinterpret_cast<const std::uint8_t*>(&filter);
    EXPECT_EQ(whole[34], 17);
    EXPECT_EQ(whole[34 + 18], 0xFE);
    EXPECT_EQ(whole[34 + 19], 0xFF);
    EXPECT_EQ(whole[34 + 20], 0x00) << "a 16-bit value writes two bytes only";
    EXPECT_EQ(filter.Condition(1).Value(), -2);
    EXPECT_EQ(filter.ConditionCount(), 2u);
}

TEST(AccountFilterEvaluation, ClassFilterOfSeveralCodesJoinedByOr) {
    AccountFilter filter;
    filter.Condition(0).Set(kFieldAccountClass, kOperatorEqual, kValueUint32, 0x80818000u, kLinkOr);
    filter.Condition(1).Set(kFieldAccountClass, kOperatorEqual, kValueUint32, 0x40888000u,
                            kLinkNone);
    EXPECT_TRUE(MatchesFilter(filter, 11100000, 0x80818000u));
    EXPECT_TRUE(MatchesFilter(filter, 41100000, 0x40888000u));
    EXPECT_FALSE(MatchesFilter(filter, 11100000, 0x80814000u));
}

TEST(AccountFilterEvaluation, AllAccountsConditionSelectsEveryAccount) {
    AccountFilter filter;
    filter.Condition(0).Set(kFieldAccountCode, kOperatorNotEqual, kValueInt32, 0, kLinkNone);
    EXPECT_TRUE(MatchesFilter(filter, 11100000, 0));
    EXPECT_TRUE(MatchesFilter(filter, -5, 0x80000000u));
    EXPECT_FALSE(MatchesFilter(filter, 0, 0)) << "code 0 is no account";
}

TEST(AccountFilterEvaluation, OneAccountByCode) {
    AccountFilter filter;
    filter.Condition(0).Set(kFieldAccountCode, kOperatorEqual, kValueInt32, 41100000, kLinkNone);
    EXPECT_TRUE(MatchesFilter(filter, 41100000, 1));
    EXPECT_FALSE(MatchesFilter(filter, 41100001, 1));
}

TEST(AccountFilterEvaluation, LinksJoinLeftToRightWithoutPrecedence) {
    // code >= 2 or code == 0 and class == 5 reads ((code >= 2) or (code == 0)) and class == 5,
    // not (code >= 2) or (code == 0 and class == 5).
    AccountFilter filter;
    filter.Condition(0).Set(kFieldAccountCode, kOperatorAtLeast, kValueInt32, 2, kLinkOr);
    filter.Condition(1).Set(kFieldAccountCode, kOperatorEqual, kValueInt32, 0, kLinkAnd);
    filter.Condition(2).Set(kFieldAccountClass, kOperatorEqual, kValueUint32, 5, kLinkNone);
    EXPECT_FALSE(MatchesFilter(filter, 3, 4));
    EXPECT_TRUE(MatchesFilter(filter, 3, 5));
    EXPECT_TRUE(MatchesFilter(filter, 0, 5));
    EXPECT_FALSE(MatchesFilter(filter, 1, 5));
}

TEST(AccountFilterEvaluation, MonthConditionsHoldForEveryAccount) {
    // The totals filter: months 3 to 6 plus the adjustment period.
    AccountFilter filter;
    filter.Condition(0).Set(kFieldAccountingMonth, kOperatorAtLeast, kValueInt16, 3, kLinkAnd);
    filter.Condition(1).Set(kFieldAccountingMonth, kOperatorAtMost, kValueInt16, 6, kLinkOr);
    filter.Condition(2).Set(kFieldAccountingMonth, kOperatorEqual, kValueInt16, 15, kLinkNone);
    EXPECT_TRUE(MatchesFilter(filter, 11100000, 0x80818000u));
    // And an account condition still decides when joined by "and".
    filter.Condition(2).SetLink(kLinkAnd);
    filter.Condition(3).Set(kFieldAccountCode, kOperatorAtMost, kValueInt32, 100, kLinkNone);
    EXPECT_FALSE(MatchesFilter(filter, 11100000, 0));
    EXPECT_TRUE(MatchesFilter(filter, 100, 0));
}

TEST(AccountFilterEvaluation, AtMostAndAtLeastCompareUnsignedClassCodes) {
    AccountFilter filter;
    filter.Condition(0).Set(kFieldAccountClass, kOperatorAtLeast, kValueUint32, 0x80000000u,
                            kLinkNone);
    EXPECT_TRUE(MatchesFilter(filter, 1, 0x80818000u));
    EXPECT_FALSE(MatchesFilter(filter, 1, 0x40888000u));
}

TEST(AccountFilterEvaluation, UnknownFieldOrOperatorMatchesNothing) {
    AccountFilter filter;
    filter.Condition(0).Set(99, kOperatorEqual, kValueInt32, 0, kLinkNone);
    EXPECT_FALSE(MatchesFilter(filter, 0, 0));
    filter.Condition(0).Set(kFieldAccountCode, 3, kValueInt32, 0, kLinkNone);
    EXPECT_FALSE(MatchesFilter(filter, 0, 0));
}

TEST(AccountFilterEvaluation, ARunWithoutEndStopsAtTheLastCondition) {
    AccountFilter filter;
    for (std::size_t i = 0; i < AccountFilter::kMaxConditions; ++i) {
        filter.Condition(i).Set(kFieldAccountCode, kOperatorEqual, kValueInt32,
                                static_cast<std::int64_t>(i), kLinkOr);
    }
    EXPECT_EQ(filter.ConditionCount(), AccountFilter::kMaxConditions);
    EXPECT_TRUE(MatchesFilter(filter, 9, 0));
    EXPECT_FALSE(MatchesFilter(filter, 10, 0));
}

}  // namespace
