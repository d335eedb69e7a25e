// The one lenient number reader of the command line and the data files.
#include <gtest/gtest.h>

#include <cstdint>

#include "model/lenient_number.h"

namespace {

TEST(LenientNumber, DecimalReadsUpToTheFirstOtherByteAndSaturates) {
    const struct {
        const char* text;
        std::int64_t value;
    } cases[] = {
        {"  42abc", 42},
        {"-7", -7},
        {"+9", 9},
        {"x1", 0},
        {"", 0},
        {"\t\r\n 5", 5},
        {"99999999999999999999999", INT64_MAX},
        {"-99999999999999999999999", -INT64_MAX},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadLeadingDecimal(c.text), c.value) << c.text;
}

TEST(LenientNumber, NarrowerReadsKeepTheirWidths) {
    EXPECT_EQ(LenientInt16("  +7x"), 7);
    EXPECT_EQ(LenientInt16("abc"), 0);
    EXPECT_EQ(LenientInt16("70000"), 70000 - 65536) << "kept in 16 bits";
    EXPECT_EQ(LenientDecimal("-99999999999999999999"), INT32_MIN);
    EXPECT_EQ(LenientDecimal("2147483648"), INT32_MAX);
    EXPECT_EQ(LenientHex(" 0X1f"), 0x1Fu);
    EXPECT_EQ(LenientHex("-1"), 0xFFFFFFFFu);
    EXPECT_EQ(LenientHex("123456789"), 0xFFFFFFFFu) << "saturates beyond 32 bits";
}

}  // namespace
