#include <gtest/gtest.h>

#include "app/dataset_texts.h"

namespace {

TEST(DatasetTexts, CompanyNameIsCutAtACharacterBoundaryToFortyNineBytes) {
    EXPECT_EQ(CompanyDisplayText("株式会社見本商事"), " 株式会社見本商事");
    EXPECT_EQ(CompanyDisplayText(""), " ");
    // 24 double-byte characters and one letter: 49 bytes fit whole.
    std::string name;
    for (int i = 0; i < 24; ++i)
        name += "ソ";
    EXPECT_EQ(CompanyDisplayText(name + "a"), " " + name + "a");
    // One more double-byte character would end at byte 50: it is left out,
    // not split (its second byte would otherwise stand alone as a backslash).
    EXPECT_EQ(CompanyDisplayText("a" + name + "ソ"), " a" + name);
    EXPECT_EQ(CompanyDisplayText(std::string(300, 'x')).size(), 50u);
}

TEST(DatasetTexts, PeriodFromTwoDates) {
    EXPECT_EQ(PeriodDisplayText(20250401, 20260331), " 2025/04/01～2026/03/31");
    EXPECT_EQ(PeriodDisplayText(20160101, 20161231), " 2016/01/01～2016/12/31");
}

}  // namespace
