// The one Shift_JIS walker every path and text rule goes through.
#include <gtest/gtest.h>

#include <string>

#include "model/shift_jis_text.h"

namespace {

// "ソ" is 0x83 0x5C (its second byte is a backslash's value), "ポ" 0x83 0x7C.
const std::string kSo = "ソ";

TEST(ShiftJisText, SecondBytesAreNeverSeparatorsOrLetters) {
    const std::string path = "C:\\" + kSo + "\\ポa" + kSo;
    EXPECT_EQ(FindSingleByte(path, "\\", 3), 5u);
    EXPECT_EQ(FindLastSingleByte(path, "\\|"), 5u);
    EXPECT_FALSE(EndsWithSingleByte(path, '\\'));
    EXPECT_TRUE(EndsWithSingleByte(path + "\\", '\\'));
    EXPECT_TRUE(IsDoubleByteAt(path, 4));
    EXPECT_FALSE(IsDoubleByteAt(path, 5));
    EXPECT_TRUE(SameIgnoringCase("c:\\ア", "C:\\ア"));
    EXPECT_FALSE(SameIgnoringCase("ア", "ャ")) << "second bytes 0x41 and 0x61 do not fold";
}

TEST(ShiftJisText, ALeadByteWithoutAValidSecondByteStandsAlone) {
    // 0x81 before CR, NUL or a blank is no double-byte character.
    for (const std::string& text : {std::string("\x81\r"), std::string("\x81\0", 2),
                                    std::string("\x81 "), std::string("\x81")}) {
        EXPECT_EQ(CharacterWidthAt(text, 0), 1u);
    }
    EXPECT_EQ(CharacterWidthAt("\x81\x40", 0), 2u);
    EXPECT_EQ(FindSingleByte("\x81\\", "\\"), std::string::npos) << "0x5C is a valid second byte";
}

TEST(ShiftJisText, CutsNeverSplitACharacter) {
    const std::string text = "ab" + kSo + "c";
    EXPECT_EQ(CutAtCharacterBoundary(text, 3), "ab");
    EXPECT_EQ(CutAtCharacterBoundary(text, 4), "ab" + kSo);
    EXPECT_EQ(CutAtCharacterBoundary(text, 0), "");
    EXPECT_EQ(CutAtCharacterBoundary(text, 99), text);
}

}  // namespace
