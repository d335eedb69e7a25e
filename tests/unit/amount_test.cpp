// The amount type: exact conversion, exact signed arithmetic and the bound
// that no result may reach.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "aggregate/amount.h"

namespace {

constexpr std::int64_t kBound = 1000000000000000000;  // 10^18 ten-thousandths

ClAmount A(std::int64_t count) {
    return ClAmount::FromCount(count);
}

TEST(Amount, ConvertsExactlyBothWaysWithSignWholeAndFraction) {
    const ClAmount negative = A(-12345678);
    EXPECT_EQ(negative.Sign(), -1);
    EXPECT_EQ(negative.Whole(), 1234u);
    EXPECT_EQ(negative.Fraction(), 5678);
    EXPECT_EQ(A(0).Sign(), 1);
    for (const std::int64_t count :
         {std::int64_t{0}, std::int64_t{1}, std::int64_t{-1}, std::int64_t{9999},
          std::int64_t{-10000}, kBound - 1, -kBound, std::numeric_limits<std::int64_t>::max(),
          std::numeric_limits<std::int64_t>::min()}) {
        EXPECT_EQ(A(count).ToCount(), count) << count;
    }
}

TEST(Amount, AddsAndSubtractsExactlyAcrossSignsAndCarries) {
    EXPECT_EQ((A(15000) + A(-27500)).ToCount(), -12500);
    EXPECT_EQ((A(-15000) - A(-27500)).ToCount(), 12500);
    EXPECT_EQ((A(9999) + A(1)).ToCount(), 10000);
    EXPECT_EQ((A(-10000) + A(1)).ToCount(), -9999);
    EXPECT_EQ((A(20001) - A(10002)).ToCount(), 9999);
    const ClAmount zero = A(-5) + A(5);
    EXPECT_EQ(zero.Sign(), 1);
    EXPECT_EQ(zero, ClAmount());
    EXPECT_EQ((-ClAmount()).Sign(), 1);
}

TEST(Amount, AResultThatReachesTheBoundRaisesWhicheverOperation) {
    EXPECT_EQ((A(kBound - 2) + A(1)).ToCount(), kBound - 1);
    EXPECT_THROW(A(kBound - 1) + A(1), AmountOutOfRange);
    EXPECT_THROW(A(-kBound + 1) - A(1), AmountOutOfRange);
    EXPECT_THROW(A(kBound - 1) - A(-1), AmountOutOfRange);
    // A host count beyond the bound converts, but cannot enter a sum.
    EXPECT_THROW(ClAmount() + A(std::numeric_limits<std::int64_t>::max()), AmountOutOfRange);
    EXPECT_THROW(ClAmount() - A(std::numeric_limits<std::int64_t>::min()), AmountOutOfRange);
    // Opposite signs cancel: far from the bound however large the operands.
    EXPECT_EQ((A(kBound - 1) + A(-kBound + 1)).ToCount(), 0);
    ClAmount sum = A(kBound - 1);
    EXPECT_THROW(sum += A(1), AmountOutOfRange);
}

}  // namespace
