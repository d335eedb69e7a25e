// The code page's own table under Windows: the detail document's texts in
// UTF-8 as the native build's iconv gives them.
#include <gtest/gtest.h>

#include <string>

#include "platform/text_encoding.h"
#include "platform/win/code_page.h"

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

// No best fit: a yen sign must not become a backslash, nor é an e.
TEST(TextEncodingWin, WhatCodePage932LacksIsRefusedNotMappedByBestFit) {
    const struct {
        std::wstring wide;
        bool complete;
        std::string cp932;
    } cases[] = {
        {L"", true, ""},
        {L"C:\\ソ\\表.xml", true, "C:\\ソ\\表.xml"},
        {L"C:\\a\u00A5b\\x.xml", false, "C:\\a?b\\x.xml"},
        {L"caf\u00E9", false, "caf?"},
    };
    for (const auto& c : cases) {
        std::string narrow = "stale";
        EXPECT_EQ(Cp932FromWide(c.wide, narrow), c.complete) << c.cp932;
        EXPECT_EQ(narrow, c.cp932);
    }
}

}  // namespace
