#include "report/detail_document.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/shift_jis_text.h"
#include "platform/text_encoding.h"
#include "report/detail_html.h"
#include "report/detail_page.h"
#include "report/overview_report.h"

const char kDetailDocumentSuffix[] = "_集計明細.html";

namespace {

constexpr int kMonths = 12;

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

DetailPage::DetailPage(const DetailHeading& heading, const ItemCatalogue& items,
                       const AggregationDetail& detail)
    : heading_(heading), detail_(detail) {
    for (const StatementItem& item : items)
        items_.push_back(&item);
    while (monthlyBegin_ < items_.size() && items_[monthlyBegin_]->itemNo < kFirstMonthlyItemNo)
        ++monthlyBegin_;
}

const std::vector<DetailSource>& DetailPage::SourcesAt(std::size_t position) const {
    static const std::vector<DetailSource> kNone;
    return position < detail_.sources.size() ? detail_.sources[position] : kNone;
}

std::string DetailPage::MonthLabel(int position) const {
    const int months = heading_.firstMonth - 1 + position - 1;
    return Number(heading_.firstYear + months / kMonths) + "年" + Number(months % kMonths + 1) +
           "月";
}

std::string DetailPage::MonthMark(int position) const {
    const DetailRun& run = heading_.run;
    std::vector<std::string> marks;
    if (position == run.introPosition && run.introPosition > run.startPosition &&
        run.introPosition <= run.endPosition) {
        // The calendar month alone: "4月".
        const auto month = [this](int at) {
            return Number((heading_.firstMonth - 1 + at - 1) % kMonths + 1) + "月";
        };
        const std::string before = position - 1 == run.startPosition
                                       ? month(run.startPosition)
                                       : month(run.startPosition) + "～" + month(position - 1);
        marks.push_back(before + "分を含む");
    }
    if (position == run.endPosition && run.interimIncluded)
        marks.emplace_back("中間決算整理を含む");
    if (position == run.endPosition && run.yearEndIncluded) marks.emplace_back("決算整理を含む");
    std::string out;
    for (const std::string& mark : marks)
        out += "<span class=\"mark\">" + mark + "</span>";
    return out;
}

std::string DetailPage::ItemData(const StatementItem& item, const std::string& key,
                                 std::int64_t amount, std::size_t position) const {
    // "accounts" when no figure of the host set the amount.
    std::string fed = "accounts";
    for (const DetailSource& source : SourcesAt(position)) {
        if (source.kind == DetailSource::Kind::kFigure ||
            source.kind == DetailSource::Kind::kRemainder) {
            fed = "figure";
        }
    }
    return " data-item=\"" + Number(item.itemNo) + "\" data-key=\"" + Html(key) +
           "\" data-amount=\"" + AmountText(amount) + "\" data-exact=\"" + Yen(amount, false) +
           "\" data-fed=\"" + fed + "\" data-thousands=\"" + Thousands(amount, false) + "\"";
}

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
