// The detail document: its path beside the XML, the conversion to UTF-8
// with the texts escaped, the numbers in data- attributes, and a file that
// is either whole at its path or not there.
#include <gtest/gtest.h>

#include <string>

#include "platform/text_encoding.h"
#include "report/detail_document.h"
#include "tests/unit/fakes/memory_file_system.h"

namespace {

TEST(DetailDocument, LiesBesideTheXmlWithoutItsExtension) {
    const struct {
        const char* xml;
        const char* detail;
    } cases[] = {
        {"C:\\out\\x.xml", "C:\\out\\x_集計明細.html"},
        {"C:\\out\\x.tar.xml", "C:\\out\\x.tar_集計明細.html"},
        {"C:\\out.d\\x", "C:\\out.d\\x_集計明細.html"},
        {"C:\\ソ.d\\表.xml", "C:\\ソ.d\\表_集計明細.html"},  // trail bytes 0x5C
        {"x.xml", "x_集計明細.html"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DetailDocumentPath(c.xml), c.detail) << c.xml;
}

TEST(DetailDocument, ConvertsCodePage932ToUtf8AndMarksWhatNoCharacterStarts) {
    const struct {
        std::string cp932;
        std::string utf8;
    } cases[] = {
        {"abc", "abc"},
        {"現金 ｶﾞｽ代", u8"現金 ｶﾞｽ代"},
        {"C:\\ソ~", u8"C:\\ソ~"},
        {"\x81", "\xEF\xBF\xBD"},
        {"\x81<b", "\xEF\xBF\xBD<b"},
        {"a\xA0\xFD"
         "b",
         "a\xEF\xBF\xBD\xEF\xBF\xBD"
         "b"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Utf8FromCp932(c.cp932), c.utf8) << c.cp932;
}

int Occurrences(const std::string& text, const std::string& part) {
    int n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

// Two items, one account each, a month and two findings: what the
// accountant reads and what a tool reads.
TEST(DetailDocument, ShowsTheRunAndCarriesEveryNumberInDataAttributes) {
    ItemCatalogue items;
    StatementItem sales;
    sales.itemNo = 2;
    sales.side = 2;
    sales.SetName("兼業売上<高>");
    sales.SetKey("KENGYOU");
    sales.amounts[0] = 12345670000;
    items.Append(sales);
    StatementItem monthly;
    monthly.itemNo = 41;
    monthly.side = 2;
    monthly.SetName("兼業売上金額");
    monthly.SetKey("TUKI");
    monthly.amounts[3] = -50000;
    monthly.amounts[4] = 12345670000;
    items.Append(monthly);

    DetailAccount account;
    account.accountId = "0x000000000000000000000000000000aa";
    account.code = 41200000;
    account.name = "A&B \"ｶﾌﾞ\" 'x'\x01";
    account.classCode = 0x40888200;
    account.side = 2;
    account.balance = 12345670000;
    AggregationDetail detail;
    DetailSource source;
    source.kind = DetailSource::Kind::kAccount;
    source.account = account;
    source.accountId = account.accountId;
    source.amount = 12345670000;
    detail.sources = {{source}, {source}};
    detail.sources[1][0].amount = 0;
    detail.sources[1][0].sign = -1;
    detail.sources[1][0].months[3] = -50000;
    // A figure keyword on a monthly item: it changes nothing there.
    DetailSource keyword;
    keyword.accountId = "URIAGEDAKA";
    keyword.why = DetailSource::Why::kNotApplied;
    detail.sources[1].push_back(keyword);
    DetailFinding twice;
    twice.items = {2};
    twice.accounts = {account};
    twice.count = 2;
    DetailFinding differ;
    differ.kind = DetailFinding::Kind::kMonthsDiffer;
    differ.items = {41, 2};
    differ.value = 12345620000;
    differ.other = 12345670000;
    detail.findings = {differ, twice};
    detail.reconciliations = {{41, {2}, 12345620000, 12345670000, true}};

    DetailHeading heading;
    heading.companyName = "株式会社<見本>&ｼｮｳｼﾞ";
    heading.periodStart = 20251001;
    heading.periodEnd = 20260930;
    heading.firstYear = 2025;
    heading.firstMonth = 10;
    heading.run.startPosition = 1;
    heading.run.endPosition = 6;
    heading.run.introPosition = 3;
    heading.run.yearEndIncluded = false;
    heading.run.interimIncluded = true;
    heading.run.taxInclusive = true;
    heading.editionName = "帳簿丸１８";
    heading.runTime = {2026, 2, 3, 14, 5};
    heading.xmlPath = "C:\\出力\\x.xml";

    const std::string html = Utf8FromCp932(DetailDocumentText(heading, items, detail));
    const char* const expected[] = {
        u8"<html lang=\"ja\">",
        u8"<meta charset=\"utf-8\">",
        u8"<td>株式会社&lt;見本&gt;&amp;ｼｮｳｼﾞ</td>",
        u8"2025年10月1日～2026年9月30日",
        u8"2025年10月～2026年3月（中間決算整理を含む）",
        u8"税込で集計（会社データの設定と異なります）",
        u8"2026年2月3日 14:05",
        u8"C:\\出力\\x.xml",
        u8"要確認 2件、参考 0件",
        // The item's name first, its element second; yen and thousands.
        u8"<tr class=\"item\" data-item=\"2\" data-key=\"KENGYOU\" data-amount=\"1234567\"",
        u8"data-exact=\"1234567\" data-fed=\"accounts\" data-thousands=\"1234\">",
        u8"兼業売上&lt;高&gt;<span class=\"key\">KENGYOU</span></th>",
        u8"<td class=\"num\">1,234,567</td><td class=\"num\">1,234</td></tr>",
        u8"<tr class=\"source\" data-item=\"2\" data-code=\"4120\" data-amount=\"1234567\">",
        u8"<td class=\"name\">A&amp;B &quot;ｶﾌﾞ&quot; &#39;x&#39;?</td>",
        u8"<td>貸方</td><td>当期発生額</td><td class=\"num\">1,234,567</td><td>加算</td>",
        // The months: the introduction month and the interim adjustments
        // marked, each month in thousands beneath its yen.
        u8"2025年12月<span class=\"mark\">10月～11月分を含む</span></th>",
        u8"2026年3月<span class=\"mark\">中間決算整理を含む</span></th>",
        u8"data-item=\"41\" data-key=\"TUKI03\" data-amount=\"-5\" data-exact=\"-5\"",
        u8"data-fed=\"accounts\" data-thousands=\"0\" data-month=\"3\"><a href=\"#m41-03\">-5</a>",
        u8"<a href=\"#m41-04\">1,234,567</a><span class=\"k\">1,234千円</span>",
        u8"<tr class=\"total\"><th scope=\"row\">計</th><td class=\"num\" data-item=\"41\"",
        u8"data-total=\"1234562\">1,234,562<span class=\"k\">1,234千円</span>",
        u8"data-main=\"1234567\"><span class=\"of\">2 兼業売上&lt;高&gt;</span>1,234,567",
        u8"<td class=\"num check\" data-item=\"41\" data-difference=\"-5\">-5</td>",
        u8"<tbody id=\"m41-03\">",
        u8"data-item=\"41\" data-code=\"4120\" data-amount=\"-5\" data-month=\"3\"",
        u8"<tr class=\"source idle\" data-item=\"41\" data-code=\"URIAGEDAKA\" data-amount=\"0\">",
        u8"会計アプリケーションの集計値（この項目には設定されない集計値）",
        // The findings, first the reconciliation with both amounts.
        u8"<tr class=\"finding\" data-kind=\"months-differ\" data-level=\"check\"",
        u8"data-items=\"41 2\" data-codes=\"\" data-amounts=\"1234562 1234567 -5\">",
        u8"月別の合計（1,234,562円）が、主要科目の金額（1,234,567円）と一致しません（差額 -5円）",
        u8"<tr class=\"finding\" data-kind=\"mapped-twice\" data-level=\"check\"",
        u8"data-items=\"2\" data-codes=\"4120\" data-amounts=\"\"><td class=\"check\">要確認</td>",
        u8"2回集計されています",
    };
    for (const char* fragment : expected)
        EXPECT_NE(html.find(fragment), std::string::npos) << fragment;
    // Self-contained: nothing to run, nothing to fetch.
    for (const char* outside : {"<script", "src=", "http:", "https:", "@import"})
        EXPECT_EQ(html.find(outside), std::string::npos) << outside;
    // What an accessibility audit asks: the content in landmarks, a caption
    // on every table, every header cell's scope, no developer codes.
    EXPECT_EQ(Occurrences(html, "<header>"), 1);
    EXPECT_EQ(Occurrences(html, "<main>"), 1);
    EXPECT_EQ(html.find("<header>"), html.find("<body>") + 7) << "nothing outside the landmarks";
    EXPECT_EQ(Occurrences(html, "<table"), Occurrences(html, "<caption"));
    EXPECT_EQ(Occurrences(html, "<th>"), 0);
    EXPECT_EQ(Occurrences(html, "<th "), Occurrences(html, "<th scope="));
    EXPECT_EQ(html.find("分類 4"), std::string::npos);
}

TEST(DetailDocument, IsWholeAtItsPathOrNotThere) {
    const struct {
        const char* what;
        std::string path;
        std::size_t writesBeforeFailure;
        bool failClose;
        bool written;
    } cases[] = {
        {"written", "C:\\out\\x_集計明細.html", static_cast<std::size_t>(-1), false, true},
        {"path too long", "C:\\" + std::string(258, 'p'), static_cast<std::size_t>(-1), false,
         false},
        {"disk full", "C:\\out\\x_集計明細.html", 0, false, false},
        {"not closed", "C:\\out\\x_集計明細.html", static_cast<std::size_t>(-1), true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        MemoryFileSystem files;
        files.nextOutput.writesBeforeFailure = c.writesBeforeFailure;
        files.nextOutput.failClose = c.failClose;
        EXPECT_EQ(WriteDetailDocument(files, c.path, "<p>現金</p>"), c.written);
        const auto found = files.files.find(c.path);
        EXPECT_EQ(found != files.files.end(), c.written);
        if (found != files.files.end()) {
            EXPECT_EQ(found->second, u8"<p>現金</p>");
        }
    }
}

}  // namespace
