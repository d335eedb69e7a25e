// The half-width to full-width conversion of the company name and its cut
// at 32 bytes. The expected texts are full-width literals, which the
// compiler turns into Shift_JIS independently of the program's table.
#include <gtest/gtest.h>

#include <string>

#include "report/full_width_name.h"

namespace {

TEST(FullWidthTest, EveryPrintableAsciiCharacter) {
    EXPECT_EQ(ToFullWidth(" !\"#$%&'()*+,-./0123456789:;<=>?"),
              "　！”＃＄％＆’（）＊＋，－．／０１２３４５６７８９：；＜＝＞？");
    EXPECT_EQ(ToFullWidth("@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_"),
              "＠ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰＱＲＳＴＵＶＷＸＹＺ［＼］＾＿");
    EXPECT_EQ(ToFullWidth("`abcdefghijklmnopqrstuvwxyz{|}~"),
              "｀ａｂｃｄｅｆｇｈｉｊｋｌｍｎｏｐｑｒｓｔｕｖｗｘｙｚ｛｜｝～");
}

TEST(FullWidthTest, EveryHalfWidthKatakana) {
    EXPECT_EQ(ToFullWidth("｡｢｣､･ｦｧｨｩｪｫｬｭｮｯｰｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿ"),
              "。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソ");
    EXPECT_EQ(ToFullWidth("ﾀﾁﾂﾃﾄﾅﾆﾇﾈﾉﾊﾋﾌﾍﾎﾏﾐﾑﾒﾓﾔﾕﾖﾗﾘﾙﾚﾛﾜﾝﾞﾟ"),
              "タチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワン゛゜");
}

TEST(FullWidthTest, MarksComposeWhereTheCharacterExists) {
    EXPECT_EQ(ToFullWidth("ｶﾞｷﾞｸﾞｹﾞｺﾞｻﾞｼﾞｽﾞｾﾞｿﾞﾀﾞﾁﾞﾂﾞﾃﾞﾄﾞ"), "ガギグゲゴザジズゼゾダヂヅデド");
    EXPECT_EQ(ToFullWidth("ﾊﾞﾋﾞﾌﾞﾍﾞﾎﾞﾊﾟﾋﾟﾌﾟﾍﾟﾎﾟｳﾞ"), "バビブベボパピプペポヴ");
    // No composed form: both characters stay, each made full-width.
    EXPECT_EQ(ToFullWidth("ｱﾞﾜﾞｦﾞｶﾟﾅﾟﾞﾟ"), "ア゛ワ゛ヲ゛カ゜ナ゜゛゜");
    // A mark belongs to the character before it only.
    EXPECT_EQ(ToFullWidth("ｶﾞﾞ"), "ガ゛");
    EXPECT_EQ(ToFullWidth("Aﾞ"), "Ａ゛");
}

TEST(FullWidthTest, DoubleByteAndOtherBytesAreKept) {
    EXPECT_EQ(ToFullWidth("ABC商事ｶﾌﾞｼｷｶﾞｲｼｬ"), "ＡＢＣ商事カブシキガイシャ");
    // 表 ends in 0x5C and ソ in 0x5C: not taken for a backslash.
    EXPECT_EQ(ToFullWidth("表ソ"), "表ソ");
    EXPECT_EQ(ToFullWidth(std::string("\x80\xA0\xFD\t", 4)), std::string("\x80\xA0\xFD\t", 4));
    EXPECT_EQ(ToFullWidth(""), "");
}

TEST(FullWidthTest, ALeadByteWithoutItsSecondByteIsDropped) {
    EXPECT_EQ(ToFullWidth("A\x82"), "Ａ");
}

TEST(FullWidthNameTest, CutAt32BytesOnACharacterBoundary) {
    // 20 half-width characters: 40 bytes, cut to 16 characters.
    EXPECT_EQ(ToFullWidthName("ABCDEFGHIJKLMNOPQRST"), "ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰ");
    EXPECT_EQ(ToFullWidthName("ABCDEFGHIJKLMNOP"), "ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰ");
    // A single byte in front puts a character across byte 32: it goes.
    const std::string odd = ToFullWidthName(
        "\x80"
        "ABCDEFGHIJKLMNOP");
    EXPECT_EQ(odd,
              "\x80"
              "ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯ");
    EXPECT_EQ(odd.size(), 31u);
    // Composed characters count once.
    EXPECT_EQ(ToFullWidthName("ｶﾞｶﾞｶﾞｶﾞｶﾞｶﾞｶﾞｶﾞｶﾞｶﾞｶﾞｶﾞｶﾞｶﾞｶﾞｶﾞｶﾞ"),
              "ガガガガガガガガガガガガガガガガ");
}

}  // namespace
