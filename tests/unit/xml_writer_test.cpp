// The line writer: exact bytes of each kind of line, escaping, and what
// happens once the file fails.
#include <gtest/gtest.h>

#include <string>

#include "report/xml_writer.h"
#include "tests/unit/fakes/memory_file_system.h"

namespace {

class XmlWriterTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(writer.OpenFile(file, "out.xml"), 0); }

    OutputRecord seen;
    RecordingOutputFile file{seen};
    ClXmlWriter writer;
};

TEST_F(XmlWriterTest, LinesAreIndentedWithTabsAndEndInCrLf) {
    EXPECT_TRUE(writer.OpenElement("REPORT", 0));
    EXPECT_TRUE(writer.WriteElement("A", "a<b&c", 2));
    EXPECT_TRUE(writer.WriteElement("A", "", 1));
    EXPECT_TRUE(writer.CloseElement("GROUP", 3));
    EXPECT_EQ(seen.bytes,
              "<REPORT>\r\n"
              "\t\t<A>a&lt;b&amp;c</A>\r\n"
              "\t<A></A>\r\n"
              "\t\t\t</GROUP>\r\n");
}

TEST(XmlEscapeTest, EscapesTheFiveReservedCharactersOnly) {
    EXPECT_EQ(ClXmlWriter::EscapeText("\"it's\" <a> & b"),
              "&quot;it&apos;s&quot; &lt;a&gt; &amp; b");
    EXPECT_EQ(ClXmlWriter::EscapeText(""), "");
    EXPECT_EQ(ClXmlWriter::EscapeText("&amp;"), "&amp;amp;");
}

TEST(XmlEscapeTest, ShiftJisPassesByteForByte) {
    // 表 and ソ end in 0x5C, 〜 in 0x60: second bytes are left alone.
    const std::string text = "株式会社表ソ〜ｶﾌﾞ";
    EXPECT_EQ(ClXmlWriter::EscapeText(text), text);
}

TEST_F(XmlWriterTest, LongValuesAreWrittenWhole) {
    const std::string value(300, '&');
    EXPECT_TRUE(writer.WriteElement("PROGRAMNAME", value, 2));
    std::string escaped;
    for (int i = 0; i < 300; ++i)
        escaped += "&amp;";
    EXPECT_EQ(seen.bytes, "\t\t<PROGRAMNAME>" + escaped + "</PROGRAMNAME>\r\n");
}

TEST_F(XmlWriterTest, AttributesNeedNameAndValueAndTheSecondNeedsTheFirst) {
    EXPECT_TRUE(writer.OpenElement("E", 0, "a", "1<", "b", "\"2\""));
    EXPECT_TRUE(writer.WriteElement("E", "v", 1, "a", "1"));
    EXPECT_TRUE(writer.WriteElement("E", "v", 0, "a", nullptr, "b", "2"));
    EXPECT_TRUE(writer.OpenElement("E", 0, "a", "1", "b", nullptr));
    EXPECT_EQ(seen.bytes,
              "<E a=\"1&lt;\" b=\"&quot;2&quot;\">\r\n"
              "\t<E a=\"1\">v</E>\r\n"
              "<E>v</E>\r\n"
              "<E a=\"1\">\r\n");
}

TEST_F(XmlWriterTest, AfterAFailedWriteTheFileIsAbandonedAndNothingMoreIsWritten) {
    seen.writesBeforeFailure = 1;
    EXPECT_TRUE(writer.OpenElement("REPORT", 0));
    EXPECT_FALSE(writer.WriteElement("A", "x", 1));
    EXPECT_EQ(seen.abandons, 1);
    EXPECT_EQ(seen.closes, 0);
    EXPECT_FALSE(writer.IsOpen());

    seen.writesBeforeFailure = static_cast<std::size_t>(-1);
    EXPECT_FALSE(writer.CloseElement("REPORT", 0));
    EXPECT_FALSE(writer.WriteText("x"));
    EXPECT_EQ(seen.bytes, "<REPORT>\r\n");
    EXPECT_TRUE(writer.CloseFile());
    EXPECT_EQ(seen.closes, 0) << "nothing left to put at the path";
}

TEST(XmlWriterFileTest, AFileThatCannotBeCreatedFailsEveryWrite) {
    OutputRecord seen;
    seen.failCreate = true;
    RecordingOutputFile file{seen};
    ClXmlWriter writer;
    EXPECT_EQ(writer.OpenFile(file, "missing\\out.xml"), -1);
    EXPECT_EQ(writer.path(), "missing\\out.xml");
    EXPECT_FALSE(writer.OpenElement("REPORT", 0));
    EXPECT_FALSE(writer.WriteText("x"));
    EXPECT_TRUE(seen.bytes.empty());
}

}  // namespace
