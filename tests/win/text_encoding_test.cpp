// The code page's own table under Windows: the detail document's texts in
// UTF-8 as the native build's iconv gives them.
#include <gtest/gtest.h>

#include <string>

#include "platform/text_encoding.h"

namespace {

TEST(TextEncodingWin, ConvertsWithTheCodePagesTable) {
    const struct {
        std::string cp932;
        std::string utf8;
    } cases[] = {
        {"", ""},
        {"abc<&>", "abc<&>"},
        {"株式会社見本商事 ｶﾞｽ代", u8"株式会社見本商事 ｶﾞｽ代"},
        {"C:\\ソ\\表~①", u8"C:\\ソ\\表~①"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Utf8FromCp932(c.cp932), c.utf8) << c.utf8;
}

}  // namespace
