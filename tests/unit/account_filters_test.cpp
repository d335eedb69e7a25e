// The account filters' bytes; what the stand-in selects with them is in
// account_lookups_test.cpp.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

#include "model/account_filters.h"

namespace {

// The 34 bytes a condition must have: every byte not named is zero.
std::vector<std::uint8_t> Expected(std::uint8_t field, std::uint8_t op, std::uint8_t type,
                                   std::uint32_t value, std::uint8_t link) {
    std::vector<std::uint8_t> bytes(34, 0);
    bytes[0] = field;
    bytes[6] = op;
    bytes[10] = type;
    for (int i = 0; i < 4; ++i)
        bytes[18 + i] = static_cast<std::uint8_t>(value >> (8 * i));
    bytes[30] = link;
    return bytes;
}

std::vector<std::uint8_t> Actual(const AccountFilter& filter, std::size_t index) {
    const std::uint8_t* data = filter.Condition(index).Data();
    return std::vector<std::uint8_t>(data, data + 34);
}

TEST(AccountFilters, ClassFilterJoinsCodesByOrUpToTheFirstZero) {
    const AccountFilter two = ClassAccountFilter({0x80818000u, 0x40888000u, 0, 0x12345678u});
    EXPECT_EQ(Actual(two, 0), Expected(16, 1, 19, 0x80818000u, 2));
    EXPECT_EQ(Actual(two, 1), Expected(16, 1, 19, 0x40888000u, 0));
    EXPECT_EQ(Actual(two, 2), std::vector<std::uint8_t>(34, 0));

    std::array<std::uint32_t, kClassCodeSlots> ten{};
    for (std::size_t i = 0; i < ten.size(); ++i)
        ten[i] = 0x1000u + static_cast<std::uint32_t>(i);
    const AccountFilter all10 = ClassAccountFilter(ten);
    for (std::size_t i = 0; i < 10; ++i)
        EXPECT_EQ(Actual(all10, i), Expected(16, 1, 19, ten[i], i < 9 ? 2 : 0)) << i;
}

TEST(AccountFilters, AllAccountsAndOneAccount) {
    const AccountFilter all = AllAccountsFilter();
    EXPECT_EQ(Actual(all, 0), Expected(2, 2, 3, 0, 0));
    EXPECT_EQ(Actual(all, 1), std::vector<std::uint8_t>(34, 0));
    // An item without classes offers every account, not none.
    EXPECT_EQ(Actual(ClassAccountFilter({}), 0), Actual(all, 0));
    EXPECT_EQ(Actual(AccountCodeFilter(-41100000), 0),
              Expected(2, 1, 3, static_cast<std::uint32_t>(-41100000), 0));
}

}  // namespace
