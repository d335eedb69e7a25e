// Path rules on double-byte names whose second byte is a separator: ソ and
// 表 end in 0x5C ('\\'), ポ in 0x7C ('|').
#include "ui/sheet/path_rules.h"

#include <gtest/gtest.h>

#include <string>

TEST(PathRules, DoubleByteSecondBytesAreNeverSeparators) {
    EXPECT_TRUE(IsDoubleByteAt("aソb", 1) && IsDoubleByteAt("aソb", 2));
    EXPECT_FALSE(IsDoubleByteAt("aソb", 3) || IsDoubleByteAt("a\x83", 1) || IsDoubleByteAt("", 0));
    EXPECT_EQ(FileNamePartOf("C:\\out\\ソ"), "ソ");
    EXPECT_EQ(FolderPartOf("C:\\表\\ソ.xml"), "C:\\表\\");
    EXPECT_TRUE(IsValidPathText("C:\\ソ\\ポ.xml"));
    for (const char* invalid : {"C:\\a,b.xml", "C:\\a;b.xml", "C:\\a:b.xml", "C:\\a\\\\b.xml",
                                "C:*.xml", "\\\\server\\share\\\\x.xml", "\\\\server:\\x.xml"}) {
        EXPECT_FALSE(IsValidPathText(invalid)) << invalid;
    }
}

TEST(PathRules, TrailingBackslashStaysWithinTheBuffer) {
    std::string folder = "C:\\表";
    EXPECT_TRUE(EnsureTrailingBackslash(folder) && EnsureTrailingBackslash(folder));
    EXPECT_EQ(folder, "C:\\表\\");
    std::string empty;
    EXPECT_FALSE(EnsureTrailingBackslash(empty));
    std::string full(260, 'a');
    EXPECT_FALSE(EnsureTrailingBackslash(full));
    full.resize(259);
    EXPECT_TRUE(EnsureTrailingBackslash(full));
    EXPECT_EQ(full.size(), 260u);
}

TEST(PathRules, RootsAndDirectoryParts) {
    std::string root, rest;
    ASSERT_TRUE(SplitAtRoot("\\\\server\\share\\a\\", root, rest));
    EXPECT_EQ(root + "|" + rest, "\\\\server\\share\\|a\\");
    EXPECT_FALSE(SplitAtRoot("\\\\server\\share", root, rest) || SplitAtRoot("a\\", root, rest));
    std::string path = "C:\\a\\ソ\\x.xml";
    ASSERT_TRUE(DirectoryPartOf(path));
    EXPECT_EQ(path, "C:\\a\\ソ\\");
    path = "C:x.xml";
    ASSERT_TRUE(DirectoryPartOf(path));
    EXPECT_EQ(path, "C:\\");
    path = "x.xml";
    EXPECT_FALSE(DirectoryPartOf(path));
}
