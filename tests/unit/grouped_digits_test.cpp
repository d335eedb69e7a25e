#include "model/grouped_digits.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace {

TEST(GroupedInteger, PutsACommaBeforeEveryThreeDigitsAndTheSignFirst) {
    const struct {
        std::int64_t value;
        const char* text;
    } cases[] = {{0, "0"},
                 {999, "999"},
                 {1000, "1,000"},
                 {-1234, "-1,234"},
                 {24463874, "24,463,874"},
                 {-100000, "-100,000"},
                 {std::numeric_limits<std::int64_t>::min(), "-9,223,372,036,854,775,808"}};
    for (const auto& c : cases)
        EXPECT_EQ(GroupedInteger(c.value), c.text) << c.value;
}

}  // namespace
