// The product name and version from the host's support information file.
#include <gtest/gtest.h>

#include <string>

#include "report/support_info.h"
#include "tests/unit/fakes/memory_file_system.h"

namespace {

TEST(SupportInfoValueTest, RestOfTheTagsLine) {
    const std::string file =
        "[SUPPORT]\r\n[=製品名=]帳簿丸１８ PRO\r\n[=製品ﾊﾞｰｼﾞｮﾝ=]18.01.02\r\n[=製品名=]second\r\n";
    EXPECT_EQ(SupportInfoValue(file, kProductNameTag), "帳簿丸１８ PRO");
    EXPECT_EQ(SupportInfoValue(file, kProductVersionTag), "18.01.02");
    EXPECT_EQ(SupportInfoValue(file, "[=無い=]"), "");
}

TEST(SupportInfoValueTest, WhereAValueEnds) {
    EXPECT_EQ(SupportInfoValue("[=製品名=]\r\nnext", kProductNameTag), "");
    EXPECT_EQ(SupportInfoValue("x\r\n[=製品名=]last line", kProductNameTag), "last line");
    EXPECT_EQ(SupportInfoValue("[=製品名=]", kProductNameTag), "");
    EXPECT_EQ(SupportInfoValue("[=製品名=]ab\x1A"
                               "cd",
                               kProductNameTag),
              "ab");
    EXPECT_EQ(SupportInfoValue(std::string("[=製品名=]ab") + '\0' + "cd", kProductNameTag), "ab");
    // Only CR LF ends a line; a lone CR or LF is part of the value.
    EXPECT_EQ(SupportInfoValue("[=製品名=]a\rb\nc\r\n", kProductNameTag), "a\rb\nc");
}

TEST(SupportInfoValueTest, TheTagStartsAtACharacter) {
    // 0x81 0x5B is one character; its second byte is no "[".
    const std::string file = "\x81[=製品名=]wrong\r\n[=製品名=]right";
    EXPECT_EQ(SupportInfoValue(file, kProductNameTag), "right");
    // A lead byte at a line's end does not swallow the line end.
    EXPECT_EQ(SupportInfoValue("\x81\r\n[=製品名=]v", kProductNameTag), "v");
}

class SupportInfoFileTest : public ::testing::Test {
  protected:
    void WriteFile(const std::string& bytes) { files.files[folder + kSupportInfoFileName] = bytes; }

    const std::string folder = "C:\\prog\\";
    MemoryFileSystem files;
};

TEST_F(SupportInfoFileTest, ReadsBothValuesOnceFromTheFolder) {
    WriteFile("[=製品ﾊﾞｰｼﾞｮﾝ=]18.00.05\r\n[=製品名=]帳簿丸１８ SELECT\r\n\x1A");
    ClSupportInfo info(files, folder);
    EXPECT_EQ(info.ProductName(), "帳簿丸１８ SELECT");
    WriteFile("");
    EXPECT_EQ(info.ProductVersion(), "18.00.05");
}

TEST_F(SupportInfoFileTest, OnlyTheFirst30000BytesAreRead) {
    const std::string tag = kProductNameTag;
    std::string bytes(kSupportInfoBytes - tag.size() - 3, ' ');
    bytes += tag + "abcdef\r\n";
    bytes += kProductVersionTag;
    bytes += "1\r\n";
    WriteFile(bytes);
    ClSupportInfo info(files, folder);
    EXPECT_EQ(info.ProductName(), "abc");
    EXPECT_EQ(info.ProductVersion(), "");
}

}  // namespace
