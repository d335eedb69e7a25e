#include <gtest/gtest.h>

#include <string>

#include "app/profile_text.h"

namespace {

std::string Read(const std::string& file, const std::string& section = "ProgramLevel",
                 const std::string& key = "QB16_G") {
    return ReadProfileString(file, section, key, "dflt", 15);
}

TEST(ProfileText, NamesIgnoreCaseAndBlanksAroundThem) {
    EXPECT_EQ(Read("[ProgramLevel]\nQB16_G=2\n"), "2");
    EXPECT_EQ(Read("[programlevel]\nqb16_g=2\n"), "2");
    EXPECT_EQ(Read("  [ ProgramLevel ]  \n\t QB16_G \t=  2 \t\n"), "2");
    EXPECT_EQ(Read("[ProgramLevel]\nQB16_G=a b\n"), "a b") << "blanks inside a value stay";
}

TEST(ProfileText, AbsentSectionOrKeyGivesDefaultButEmptyValueDoesNot) {
    EXPECT_EQ(Read(""), "dflt");
    EXPECT_EQ(Read("[Other]\nQB16_G=2\n"), "dflt");
    EXPECT_EQ(Read("[ProgramLevel]\nQB16=2\nQB16_G2=2\n"), "dflt");
    EXPECT_EQ(Read("[ProgramLevel]\nQB16_G\n"), "dflt") << "a line without '=' is no key";
    EXPECT_EQ(Read("QB16_G=2\n[ProgramLevel]\n"), "dflt") << "keys before any section";
    EXPECT_EQ(Read("[ProgramLevel]\nQB16_G=\n"), "");
    EXPECT_EQ(Read("[ProgramLevel]\nQB16_G=   \r\n"), "");
}

TEST(ProfileText, OnlyTheFirstSectionAndKeyOfTheNameCount) {
    EXPECT_EQ(Read("[ProgramLevel]\nQB16_G=1\nQB16_G=2\n"), "1");
    EXPECT_EQ(Read("[ProgramLevel]\nOther=1\n[ProgramLevel]\nQB16_G=2\n"), "dflt");
    EXPECT_EQ(Read("[ProgramLevel]\n[Other]\nQB16_G=2\n"), "dflt");
}

TEST(ProfileText, LineEndsAndComments) {
    EXPECT_EQ(Read("[ProgramLevel]\r\nQB16_G=3\r\n"), "3");
    EXPECT_EQ(Read("[ProgramLevel]\r\nQB16_G=3"), "3") << "last line without an end";
    EXPECT_EQ(Read("[ProgramLevel]\n;QB16_G=2\n  ; QB16_G=2\nQB16_G=3\n"), "3");
    EXPECT_EQ(Read(";[ProgramLevel]\nQB16_G=2\n"), "dflt");
    EXPECT_EQ(Read("\xEF\xBB\xBF[ProgramLevel]\nQB16_G=2\n"), "2") << "UTF-8 byte order mark";
}

TEST(ProfileText, QuotesComeOffOnlyInPairs) {
    EXPECT_EQ(Read("[ProgramLevel]\nQB16_G=\" 2 \"\n"), " 2 ");
    EXPECT_EQ(Read("[ProgramLevel]\nQB16_G=\"\"\n"), "");
    EXPECT_EQ(Read("[ProgramLevel]\nQB16_G=\"2\n"), "\"2");
}

TEST(ProfileText, ValueIsCutWithoutSplittingACharacter) {
    EXPECT_EQ(Read("[ProgramLevel]\nQB16_G=1234567890123456789\n"), "123456789012345");
    // 14 single bytes and a double-byte character: the character would be
    // bytes 15 and 16, so it goes as a whole.
    EXPECT_EQ(Read("[ProgramLevel]\nQB16_G=12345678901234ア\n"), "12345678901234");
    EXPECT_EQ(Read("[ProgramLevel]\nQB16_G=1234567890123ア\n"), "1234567890123ア");
    EXPECT_EQ(ReadProfileString("", "s", "k", "a long default", 4), "a lo");
    EXPECT_EQ(ReadProfileString("[s]\nk=v\n", "s", "k", "d", 0), "");
}

TEST(ProfileText, DoubleByteNamesCompareByCharacter) {
    // "‐" is 0x81 0x5D: its second byte is ']' and must not close the name.
    EXPECT_EQ(Read("[A‐B]\nk=v\n", "A‐B", "k"), "v");
    // "ア" (0x83 0x41) and "ヂ" (0x83 0x61) differ only in the case of
    // their second bytes read as letters.
    EXPECT_EQ(Read("[ア]\nk=v\n", "ヂ", "k"), "dflt");
    EXPECT_EQ(Read("[s]\nア=v\n", "s", "ヂ"), "dflt");
}

}  // namespace
