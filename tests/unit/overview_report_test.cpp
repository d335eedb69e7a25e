// The report document: its exact bytes, the amount texts and month
// headings, the item walk, the support information defaults, the progress
// it reports and what a failing file leaves.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/progress_window.h"
#include "report/overview_report.h"
#include "tests/unit/fakes/memory_file_system.h"
#include "tests/unit/fakes/progress_recorder.h"

namespace {

StatementItem Item(int itemNo, const std::string& key) {
    StatementItem item;
    item.itemNo = static_cast<std::int16_t>(itemNo);
    item.SetName("名前");
    item.SetKey(key);
    return item;
}

// The lines of `document` that contain `text`, without their CR LF.
std::vector<std::string> LinesWith(const std::string& document, const std::string& text) {
    std::vector<std::string> lines;
    std::size_t begin = 0;
    while (begin < document.size()) {
        const std::size_t end = document.find("\r\n", begin);
        const std::string line = document.substr(begin, end - begin);
        if (line.find(text) != std::string::npos) lines.push_back(line);
        if (end == std::string::npos) break;
        begin = end + 2;
    }
    return lines;
}

class OverviewReportTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dataset.SetCompanyName("ｶﾌﾞｼｷｶﾞｲｼｬ ABC&");
        dataset.SetPeriodStart(20240401);
        dataset.SetPeriodEnd(20250331);
    }
    void WriteSupportInfo(const std::string& bytes) {
        files.files[folder + kSupportInfoFileName] = bytes;
    }
    // What the last output file saw.
    const OutputRecord& Seen() const { return *files.outputs.back(); }

    // The catalogue of the document test: keys with "-" on items 2, 35, 37.
    void UseSmallCatalogue() {
        StatementItem sales = Item(1, "URIAGEDAKA");
        sales.amounts[0] = 123456780000;
        catalogue.Append(sales);
        catalogue.Append(Item(2, "-"));
        StatementItem cost = Item(3, "GENKA");
        cost.amounts[0] = -9999;
        catalogue.Append(cost);
        catalogue.Append(Item(35, "-"));
        StatementItem monthly = Item(36, "ABC");
        monthly.amounts[1] = 10000;
        monthly.amounts[3] = -50000;
        catalogue.Append(monthly);
        catalogue.Append(Item(37, "X-"));
    }

    int Write(int startMonth, std::int16_t functionNo = 1) {
        ClOverviewReport report(progress, catalogue, edition, files);
        report.SetSupportInfoFolder(folder);
        return report.WriteReport("C:\\出力\\gaikyo.xml", functionNo, startMonth, dataset);
    }

    const std::string folder = "C:\\prog\\";
    MemoryFileSystem files;
    ItemCatalogue catalogue;
    DatasetRecord dataset;
    const EditionInfo edition{"帳簿丸１８ SELECT", "LdgSel18ToQb16_G", "18.00.00", "18.00.0X"};
    ClProgressWindow progress{std::make_unique<NullProgressView>()};
};

const char kSmallDocument[] =
    "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n"
    "<REPORT>\r\n"
    "\t<SYSTEM>\r\n"
    "\t\t<GYOUMUPREFIX>QB16</GYOUMUPREFIX>\r\n"
    "\t\t<VERSION>1</VERSION>\r\n"
    "\t\t<FUNCTIONID>-3</FUNCTIONID>\r\n"
    "\t\t<CONNECTEDPROGRAMVER>18.00.00</CONNECTEDPROGRAMVER>\r\n"
    "\t\t<PROGRAMNAME>帳簿丸１８ SELECT</PROGRAMNAME>\r\n"
    "\t\t<PROGRAMVER>18.00.0X</PROGRAMVER>\r\n"
    "\t</SYSTEM>\r\n"
    "\t<BASIC>\r\n"
    "\t\t<KOMONSAKINAME>カブシキガイシャ　ＡＢＣ＆</KOMONSAKINAME>\r\n"
    "\t\t<JIGYOUNENDOFROM>20240401</JIGYOUNENDOFROM>\r\n"
    "\t\t<JIGYOUNENDOTO>20250331</JIGYOUNENDOTO>\r\n"
    "\t</BASIC>\r\n"
    "\t<DATA>\r\n"
    "\t\t\t<SYUYOUKAMOKU>\r\n"
    "\t\t\t\t<URIAGEDAKA>12345678</URIAGEDAKA>\r\n"
    "\t\t\t\t<GENKA></GENKA>\r\n"
    "\t\t\t</SYUYOUKAMOKU>\r\n"
    "\t\t\t<TUKIBETUURIAGEDAKA>\r\n"
    "\t\t\t\t<TUKIBETU_01>4</TUKIBETU_01>\r\n"
    "\t\t\t\t<ABC01>1</ABC01>\r\n"
    "\t\t\t\t<TUKIBETU_02>5</TUKIBETU_02>\r\n"
    "\t\t\t\t<ABC02></ABC02>\r\n"
    "\t\t\t\t<TUKIBETU_03>6</TUKIBETU_03>\r\n"
    "\t\t\t\t<ABC03>-5</ABC03>\r\n"
    "\t\t\t\t<TUKIBETU_04>7</TUKIBETU_04>\r\n"
    "\t\t\t\t<ABC04></ABC04>\r\n"
    "\t\t\t\t<TUKIBETU_05>8</TUKIBETU_05>\r\n"
    "\t\t\t\t<ABC05></ABC05>\r\n"
    "\t\t\t\t<TUKIBETU_06>9</TUKIBETU_06>\r\n"
    "\t\t\t\t<ABC06></ABC06>\r\n"
    "\t\t\t\t<TUKIBETU_07>10</TUKIBETU_07>\r\n"
    "\t\t\t\t<ABC07></ABC07>\r\n"
    "\t\t\t\t<TUKIBETU_08>11</TUKIBETU_08>\r\n"
    "\t\t\t\t<ABC08></ABC08>\r\n"
    "\t\t\t\t<TUKIBETU_09>12</TUKIBETU_09>\r\n"
    "\t\t\t\t<ABC09></ABC09>\r\n"
    "\t\t\t\t<TUKIBETU_10>1</TUKIBETU_10>\r\n"
    "\t\t\t\t<ABC10></ABC10>\r\n"
    "\t\t\t\t<TUKIBETU_11>2</TUKIBETU_11>\r\n"
    "\t\t\t\t<ABC11></ABC11>\r\n"
    "\t\t\t\t<TUKIBETU_12>3</TUKIBETU_12>\r\n"
    "\t\t\t\t<ABC12></ABC12>\r\n"
    "\t\t\t</TUKIBETUURIAGEDAKA>\r\n"
    "\t</DATA>\r\n"
    "</REPORT>\r\n";

TEST_F(OverviewReportTest, WholeDocumentByteForByte) {
    UseSmallCatalogue();
    EXPECT_EQ(Write(4, -3), 1);
    EXPECT_EQ(Seen().bytes, kSmallDocument);
    EXPECT_EQ(Seen().path, "C:\\出力\\gaikyo.xml");
    EXPECT_EQ(Seen().closes, 1);
}

TEST(AmountTextTest, WholeYenWithinTheImportersBounds) {
    EXPECT_EQ(AmountText(12345678), "1234");
    EXPECT_EQ(AmountText(-10000), "-1");
    EXPECT_EQ(AmountText(-9999), "");
    EXPECT_EQ(AmountText(9999), "");
    EXPECT_EQ(AmountText(0), "");
    EXPECT_EQ(AmountText(9999999999999999), "999999999999");
    EXPECT_EQ(AmountText(9999999999999999 + 10000), "");
    EXPECT_EQ(AmountText(-999999999990000), "-99999999999");
    EXPECT_EQ(AmountText(-999999999999999), "-99999999999");
    EXPECT_EQ(AmountText(-1000000000000000), "");
    EXPECT_EQ(AmountText(INT64_MAX), "");
    EXPECT_EQ(AmountText(INT64_MIN), "");
}

TEST_F(OverviewReportTest, MonthHeadingsFollowTheFirstMonth) {
    const std::vector<std::pair<int, std::vector<const char*>>> cases = {
        {1, {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12"}},
        {4, {"4", "5", "6", "7", "8", "9", "10", "11", "12", "1", "2", "3"}},
        {10, {"10", "11", "12", "1", "2", "3", "4", "5", "6", "7", "8", "9"}},
    };
    for (const auto& [startMonth, months] : cases) {
        ASSERT_EQ(Write(startMonth), 1);
        const std::vector<std::string> headings = LinesWith(Seen().bytes, "<TUKIBETU_");
        ASSERT_EQ(headings.size(), 12u);
        for (int n = 1; n <= 12; ++n) {
            char expected[64];
            std::snprintf(expected, sizeof expected, "\t\t\t\t<TUKIBETU_%02d>%s</TUKIBETU_%02d>", n,
                          months[n - 1], n);
            EXPECT_EQ(headings[n - 1], expected) << "first month " << startMonth;
        }
    }
}

// The group wraps the main items whatever the catalogue holds, so the
// document stays well formed.
TEST_F(OverviewReportTest, TheMainGroupIsAlwaysOpenedAndClosed) {
    const auto groupLines = [this] { return LinesWith(Seen().bytes, "SYUYOUKAMOKU>"); };
    const std::vector<std::string> group = {"\t\t\t<SYUYOUKAMOKU>", "\t\t\t</SYUYOUKAMOKU>"};

    catalogue.Append(Item(2, "A"));
    catalogue.Append(Item(36, "M"));
    ASSERT_EQ(Write(4), 1);
    EXPECT_EQ(groupLines(), group) << "without items 1 and 35";
    EXPECT_LT(Seen().bytes.find("<SYUYOUKAMOKU>"), Seen().bytes.find("<A>"));
    EXPECT_LT(Seen().bytes.find("<A>"), Seen().bytes.find("</SYUYOUKAMOKU>"));

    catalogue.Clear();
    catalogue.Append(Item(36, "M"));
    ASSERT_EQ(Write(4), 1);
    EXPECT_TRUE(groupLines().empty()) << "without main items";
}

TEST_F(OverviewReportTest, MonthlyElementsComeOnlyFromTheMonthlyItems) {
    catalogue.Append(Item(1, "A"));
    catalogue.Append(Item(35, "B"));
    ASSERT_EQ(Write(4), 1);
    EXPECT_TRUE(LinesWith(Seen().bytes, "<A01>").empty());
    EXPECT_EQ(LinesWith(Seen().bytes, "\t\t\t\t<").size(), 2u + 12u);

    catalogue.Clear();
    catalogue.Append(Item(1, "A"));
    catalogue.Append(Item(37, "C"));
    catalogue.Append(Item(38, "D"));
    ASSERT_EQ(Write(4), 1);
    EXPECT_TRUE(LinesWith(Seen().bytes, "<A01>").empty()) << "monthly items without item 36";
    EXPECT_EQ(LinesWith(Seen().bytes, "<C07>").size(), 1u);
    EXPECT_EQ(LinesWith(Seen().bytes, "<D12>").size(), 1u);
}

TEST_F(OverviewReportTest, ProductNameAndVersionFromSupportInfo) {
    const std::string longName(400, 'N');
    WriteSupportInfo("[=製品名=]" + longName + "\r\n[=製品ﾊﾞｰｼﾞｮﾝ=]18.00.07 <b>");
    ASSERT_EQ(Write(4), 1);
    EXPECT_EQ(LinesWith(Seen().bytes, "PROGRAMNAME"),
              std::vector<std::string>{"\t\t<PROGRAMNAME>" + longName + "</PROGRAMNAME>"});
    EXPECT_EQ(LinesWith(Seen().bytes, "<PROGRAMVER>"),
              std::vector<std::string>{"\t\t<PROGRAMVER>18.00.07 &lt;b&gt;</PROGRAMVER>"});
}

TEST_F(OverviewReportTest, EmptySupportInfoValuesFallBackToTheEdition) {
    WriteSupportInfo("[=製品名=]\r\n[=製品ﾊﾞｰｼﾞｮﾝ=]\r\n");
    ASSERT_EQ(Write(4), 1);
    EXPECT_EQ(LinesWith(Seen().bytes, "PROGRAMNAME"),
              std::vector<std::string>{"\t\t<PROGRAMNAME>帳簿丸１８ SELECT</PROGRAMNAME>"});
    EXPECT_EQ(LinesWith(Seen().bytes, "<PROGRAMVER>"),
              std::vector<std::string>{"\t\t<PROGRAMVER>18.00.0X</PROGRAMVER>"});
}

// A write that fails at any line, a file that cannot be created and one
// that cannot be closed: the report answers failure, and the document that
// stood at the path before stays as it was.
TEST_F(OverviewReportTest, AnyFailureFailsAndLeavesThePreviousDocument) {
    UseSmallCatalogue();
    const std::string path = "C:\\出力\\gaikyo.xml";
    files.files[path] = "the previous document";
    const std::size_t lines = LinesWith(kSmallDocument, "").size();
    for (std::size_t good = 0; good < lines; ++good) {
        files.nextOutput.writesBeforeFailure = good;
        EXPECT_EQ(Write(4, -3), 0) << good;
        EXPECT_EQ(Seen().abandons, 1) << good;
        EXPECT_EQ(Seen().closes, 0) << good;
    }
    files.nextOutput = OutputRecord{};
    files.nextOutput.failCreate = true;
    EXPECT_EQ(Write(4), 0);
    files.nextOutput = OutputRecord{};
    files.nextOutput.failClose = true;
    EXPECT_EQ(Write(4), 0);
    EXPECT_EQ(files.files[path], "the previous document");
}

TEST_F(OverviewReportTest, ProgressClimbsFromTheBaseTo100Percent) {
    UseSmallCatalogue();
    ProgressRecord shown;
    ClProgressWindow window(std::make_unique<ProgressRecorder>(shown));
    ClOverviewReport report(window, catalogue, edition, files);
    report.SetSupportInfoFolder(folder);
    ASSERT_EQ(report.WriteReport("out.xml", 1, 4, dataset), 1);
    // (500, 600), (600, 700) and (700, 1000): 11 + 11 + 31 captions.
    ASSERT_EQ(shown.captions.size(), 53u);
    EXPECT_EQ(shown.captions.front(), "集計中 50％");
    EXPECT_EQ(shown.captions[11], "集計中 60％");
    EXPECT_EQ(shown.captions.back(), "集計中 100％");
    EXPECT_EQ(shown.mainPosition, 1000);
}

TEST_F(OverviewReportTest, TheDocumentLandsAtItsPathOnceClosed) {
    UseSmallCatalogue();
    ASSERT_EQ(Write(4, -3), 1);
    EXPECT_EQ(files.files["C:\\出力\\gaikyo.xml"], kSmallDocument);
}

}  // namespace
