#include "report/detail_document.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "model/shift_jis_text.h"
#include "platform/text_encoding.h"
#include "report/detail_html.h"
#include "report/detail_page.h"

const char kDetailDocumentSuffix[] = "_集計明細.html";

namespace {

std::string HeadingRows(const std::vector<std::pair<std::string, std::string>>& headed) {
    std::string out;
    for (const auto& [name, value] : headed)
        out.append("<tr><th scope=\"row\">")
            .append(name)
            .append("</th><td>")
            .append(value)
            .append("</td></tr>\n");
    return out;
}

std::string Header(const DetailPage& page) {
    const DetailHeading& heading = page.Heading();
    const DetailRun& run = heading.run;
    std::string months =
        page.MonthLabel(run.startPosition) + "～" + page.MonthLabel(run.endPosition);
    if (run.interimIncluded) months += "（中間決算整理を含む）";
    if (run.yearEndIncluded) months += "（決算整理を含む）";
    std::string tax = run.taxInclusive ? "税込で集計" : "税抜で集計";
    if (run.taxInclusive != run.companyTaxInclusive) tax += "（会社データの設定と異なります）";
    const LocalTime& t = heading.runTime;
    const std::string runTime = Number(t.year) + "年" + Number(t.month) + "月" + Number(t.day) +
                                "日 " + TwoDigits(t.hour) + ":" + TwoDigits(t.minute);
    const FindingCounts counts = CountFindings(page.Detail().findings);
    std::string out = "<header>\n<h1>事業概況書 集計明細</h1>\n";
    out +=
        "<p>XMLファイルの各項目の金額が、どの勘定科目と会計アプリケーションの集計値から作られたかを"
        "示します。金額は円単位、「千円」は申告書に記載するとおり千円未満を切り捨てた金額です。"
        "</p>\n";
    out +=
        "<table class=\"heading\"><caption class=\"sr\">集計の条件</caption>"
        "<colgroup><col style=\"width:28mm\"><col></colgroup>\n";
    out += HeadingRows({
        {"会社名", Html(heading.companyName)},
        {"事業年度", DateText(heading.periodStart) + "～" + DateText(heading.periodEnd)},
        {"集計月", months},
        {"消費税", tax},
        {"製品", Html(heading.editionName)},
        {"作成日時", runTime},
        {"XMLファイル", "<span class=\"code\">" + Html(heading.xmlPath) + "</span>"},
        {"点検", "<a href=\"#checks\">要確認 " + Number(counts.checks) + "件、参考 " +
                     Number(counts.notes) + "件</a>"},
    });
    out += "</table>\n</header>\n";
    return out;
}

}  // namespace

std::string DetailDocumentPath(const std::string& xmlPath) {
    // The extension is the last "." of the file name, not of a folder.
    const std::size_t folderEnd = FindLastSingleByte(xmlPath, "\\/:");
    const std::size_t nameStart = folderEnd == std::string::npos ? 0 : folderEnd + 1;
    const std::size_t dot = FindLastSingleByte(xmlPath, ".");
    const bool hasExtension = dot != std::string::npos && dot > nameStart;
    return xmlPath.substr(0, hasExtension ? dot : xmlPath.size()) + kDetailDocumentSuffix;
}

std::string DetailDocumentText(const DetailHeading& heading, const ItemCatalogue& items,
                               const AggregationDetail& detail) {
    const DetailPage page(heading, items, detail);
    std::string out = "<!DOCTYPE html>\n<html lang=\"ja\">\n<head>\n<meta charset=\"utf-8\">\n";
    out += "<title>事業概況書 集計明細 " + Html(heading.companyName) + "</title>\n";
    out += "<style>" + std::string(kDetailStyle) + "</style>\n</head>\n<body>\n";
    out += Header(page);
    // What needs checking first: it decides whether the XML may be imported.
    out += "<main>\n";
    out += DetailFindingsSection(page);
    out += DetailMainItemsSection(page);
    out += DetailMonthlySection(page);
    out += "</main>\n</body>\n</html>\n";
    return out;
}

bool WriteDetailDocument(FileSystem& files, const std::string& path, const std::string& text) {
    if (path.size() > kMaxPathBytes) return false;
    const std::string utf8 = Utf8FromCp932(text);
    const std::unique_ptr<OutputFile> file = files.CreateOutputFile();
    if (!file->Create(path)) return false;
    if (!file->Write(utf8)) {
        file->Abandon();
        return false;
    }
    return file->Close();
}
