#include "report/detail_document.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/mapping_entry.h"
#include "model/shift_jis_text.h"
#include "platform/text_encoding.h"
#include "report/detail_findings.h"
#include "report/detail_html.h"
#include "report/overview_report.h"

const char kDetailDocumentSuffix[] = "_集計明細.html";

namespace {

using Kind = DetailSource::Kind;
using Why = DetailSource::Why;

constexpr int kMonths = 12;

class Composer {
  public:
    Composer(const DetailHeading& heading, const ItemCatalogue& items,
             const AggregationDetail& detail)
        : heading_(heading), detail_(detail) {
        for (const StatementItem& item : items)
            items_.push_back(&item);
        // As in the XML: the main items end at the first monthly item.
        monthlyBegin_ = 0;
        while (monthlyBegin_ < items_.size() && items_[monthlyBegin_]->itemNo < kFirstMonthlyItemNo)
            ++monthlyBegin_;
    }

    std::string Compose() {
        out_ += "<!DOCTYPE html>\n<html lang=\"ja\">\n<head>\n<meta charset=\"utf-8\">\n";
        out_ += "<title>事業概況書 集計明細 " + Html(heading_.companyName) + "</title>\n";
        out_ += "<style>" + std::string(kDetailStyle) + "</style>\n</head>\n<body>\n";
        Heading();
        MainItems();
        MonthlyItems();
        out_ += DetailFindingsSection(detail_.findings, items_);
        out_ += "</body>\n</html>\n";
        return std::move(out_);
    }

  private:
    std::string MonthLabel(int position) const {
        const int months = heading_.firstMonth - 1 + position - 1;
        return Number(heading_.firstYear + months / kMonths) + "年" + Number(months % kMonths + 1) +
               "月";
    }

    void Row(const std::vector<std::pair<std::string, std::string>>& headed) {
        for (const auto& [name, value] : headed)
            out_.append("<tr><th>")
                .append(name)
                .append("</th><td>")
                .append(value)
                .append("</td></tr>\n");
    }

    void Heading() {
        out_ += "<h1>事業概況書 集計明細</h1>\n";
        out_ +=
            "<p>"
            "XMLファイルの各項目の金額が、どの勘定科目とホストの分類集計から作られたかを示します。"
            "金額の単位は円です。</p>\n";
        std::string months =
            MonthLabel(heading_.startPosition) + "～" + MonthLabel(heading_.endPosition);
        if (heading_.interimIncluded) months += "（中間決算整理を含む）";
        if (heading_.yearEndIncluded) months += "（決算整理を含む）";
        const LocalTime& t = heading_.runTime;
        const std::string runTime = Number(t.year) + "年" + Number(t.month) + "月" + Number(t.day) +
                                    "日 " + TwoDigits(t.hour) + ":" + TwoDigits(t.minute);
        int checks = 0;
        int notes = 0;
        for (const DetailFinding& finding : detail_.findings)
            (finding.level == DetailFinding::Level::kCheck ? checks : notes)++;
        out_ += "<table class=\"heading\">\n";
        Row({
            {"会社名", Html(heading_.companyName)},
            {"事業年度", DateText(heading_.periodStart) + "～" + DateText(heading_.periodEnd)},
            {"集計月", months},
            {"消費税", heading_.taxInclusive ? "税込で集計" : "税抜で集計"},
            {"製品", Html(heading_.editionName)},
            {"作成日時", runTime},
            {"XMLファイル", "<span class=\"code\">" + Html(heading_.xmlPath) + "</span>"},
            {"点検", "<a href=\"#checks\">要確認 " + Number(checks) + "件、参考 " + Number(notes) +
                         "件</a>"},
        });
        out_ += "</table>\n";
    }

    // A detail read from another catalogue may have fewer lists than items.
    const std::vector<DetailSource>& SourcesAt(std::size_t position) const {
        static const std::vector<DetailSource> kNone;
        return position < detail_.sources.size() ? detail_.sources[position] : kNone;
    }

    // What an item's amount was made from: "accounts" when no figure of the
    // host set it.
    std::string Fed(std::size_t position) const {
        for (const DetailSource& source : SourcesAt(position)) {
            if (source.kind == Kind::kFigure || source.kind == Kind::kRemainder) return "figure";
        }
        return "accounts";
    }

    // The item's data- attributes: number, XML element name, the amount as
    // the XML has it and exactly.
    std::string ItemData(const StatementItem& item, const std::string& key, std::int64_t amount,
                         std::size_t position) const {
        return " data-item=\"" + Number(item.itemNo) + "\" data-key=\"" + Html(key) +
               "\" data-amount=\"" + AmountText(amount) + "\" data-exact=\"" + Yen(amount, false) +
               "\" data-fed=\"" + Fed(position) + "\"";
    }

    static std::string XmlAmount(std::int64_t amount) {
        const std::string text = AmountText(amount);
        return text.empty() ? "<span class=\"muted\">－</span>" : text;
    }

    static std::string SourceData(const StatementItem& item, const std::string& code,
                                  std::int64_t amount, bool counted) {
        return " data-item=\"" + Number(item.itemNo) + "\" data-code=\"" + Html(code) +
               "\" data-amount=\"" + Yen(amount, false) + "\"" +
               (counted ? "" : " data-counted=\"0\"");
    }

    static std::string WhyText(Why why) {
        switch (why) {
            case Why::kNoAccount:
                return "（勘定科目にない識別子：集計なし）";
            case Why::kNoTotalsRow:
                return "（集計データなし）";
            case Why::kExcludedByHost:
                return "（ホストが集計対象外とする科目：集計なし）";
            case Why::kNotApplied:
                return "（この項目には設定されない集計値）";
            case Why::kNone:
                break;
        }
        return "";
    }

    static std::string AccountName(const DetailAccount& account) {
        if (account.code == 0) return "<span class=\"muted\">（勘定科目にない識別子）</span>";
        return Html(account.name);
    }

    // What a source that changed nothing names: a figure keyword of the
    // host, an account, or an identifier no account has.
    static std::string IdleCode(const DetailSource& source) {
        if (IsReservedFigureKeyword(source.accountId) || source.account.code == 0)
            return source.accountId;
        return CodeText(source.account);
    }
    static std::string IdleName(const DetailSource& source) {
        if (IsReservedFigureKeyword(source.accountId)) return "ホストの分類集計";
        return AccountName(source.account);
    }

    void MainSource(const StatementItem& item, const DetailSource& source) {
        std::string cls = "source";
        if (!source.counted) cls += " replaced";
        if (source.kind == Kind::kNothing) cls += " idle";
        const std::string sign = source.counted ? "" : "置換";
        switch (source.kind) {
            case Kind::kAccount:
                out_ += "<tr class=\"" + cls + "\"" +
                        SourceData(item, CodeText(source.account), source.amount, source.counted) +
                        "><td></td><td class=\"name\">" + AccountName(source.account) +
                        "</td><td class=\"code\">" + Html(CodeText(source.account)) + "</td><td>" +
                        SideText(source.account.side) + "</td><td class=\"num\">" +
                        Yen(source.account.balance) + "</td><td>" +
                        (sign.empty() ? (source.sign > 0 ? "加算" : "減算") : sign) +
                        "</td><td class=\"num\">" + Yen(source.amount) + "</td></tr>\n";
                return;
            case Kind::kFigure:
            case Kind::kRemainder: {
                const bool remainder = source.kind == Kind::kRemainder;
                std::string what = "ホストの分類集計「" + source.figureName + "」";
                if (remainder) what += "から前の項目を差し引いた額";
                if (!source.figureFound) what += "（集計行なし）";
                out_ += "<tr class=\"" + cls + (remainder ? " remainder" : " figure") + "\"" +
                        SourceData(item, source.accountId, source.amount, source.counted) +
                        "><td></td><td>" + what + "</td><td class=\"code\">" +
                        Html(source.accountId) + "</td><td>－</td><td class=\"num\">" +
                        Yen(source.figureValue) + "</td><td>" +
                        (sign.empty() ? (remainder ? "差引" : "設定") : sign) +
                        "</td><td class=\"num\">" + Yen(source.amount) + "</td></tr>\n";
                for (const std::size_t position : source.subtracted) {
                    if (position >= items_.size()) continue;
                    const StatementItem& minus = *items_[position];
                    out_ += "<tr class=\"subtracted\" data-item=\"" + Number(minus.itemNo) +
                            "\" data-amount=\"" + Yen(minus.amounts[0], false) +
                            "\"><td></td><td>差し引き：" + ItemLabel(items_, minus.itemNo) +
                            "</td><td class=\"code\">" + Html(minus.key()) +
                            "</td><td></td><td class=\"num\">" + Yen(-minus.amounts[0]) +
                            "</td><td>減算</td><td></td></tr>\n";
                }
                return;
            }
            case Kind::kNothing:
                out_ += "<tr class=\"" + cls + "\"" + SourceData(item, IdleCode(source), 0, true) +
                        "><td></td><td>" + IdleName(source) + WhyText(source.why) +
                        "</td><td class=\"code\">" + Html(IdleCode(source)) + "</td><td>" +
                        SideText(source.account.side) +
                        "</td><td class=\"num\">－</td><td>－</td><td class=\"num\">0</td></tr>\n";
                return;
        }
    }

    void MainItems() {
        out_ += "<h2 id=\"main\">主要科目</h2>\n";
        out_ +=
            "<p>各項目の下に集計元を示します。科目の期間残高は科目の貸借の向きの残高で、"
            "項目と貸借が同じ科目は加算、異なる科目は減算されます。"
            "金額欄の「－」はXMLで空欄となる値です。</p>\n";
        out_ +=
            "<table class=\"items\"><colgroup><col style=\"width:9mm\"><col>"
            "<col style=\"width:38mm\"><col style=\"width:10mm\"><col style=\"width:27mm\">"
            "<col style=\"width:10mm\"><col style=\"width:27mm\"></colgroup>\n"
            "<thead><tr><th>番号</th><th>項目名／集計元</th><th>XML要素名／コード</th>"
            "<th>貸借</th><th>期間残高</th><th>加減</th><th>金額</th></tr></thead>\n";
        for (std::size_t position = 0; position < monthlyBegin_; ++position) {
            const StatementItem& item = *items_[position];
            const std::vector<DetailSource>& sources = SourcesAt(position);
            if (!item.HasXmlElement() && sources.empty()) continue;
            const std::string key = item.HasXmlElement() ? item.key() : "";
            out_ += "<tbody id=\"item-" + Number(item.itemNo) + "\">\n<tr class=\"item\"" +
                    ItemData(item, key, item.amounts[0], position) + "><td class=\"num\">" +
                    Number(item.itemNo) + "</td><td>" + Html(item.name()) +
                    "</td><td class=\"code\">" +
                    (item.HasXmlElement() ? Html(key)
                                          : "<span class=\"muted\">XMLに出力しない</span>") +
                    "</td><td>" + SideText(static_cast<std::uint8_t>(item.side)) +
                    "</td><td></td><td></td><td class=\"num\">" + XmlAmount(item.amounts[0]) +
                    "</td></tr>\n";
            if (sources.empty()) {
                out_ +=
                    "<tr class=\"idle\"><td></td><td colspan=\"6\">集計元の設定なし</td></tr>\n";
            }
            for (const DetailSource& source : sources)
                MainSource(item, source);
            out_ += "</tbody>\n";
        }
        out_ += "</table>\n";
    }

    std::vector<std::size_t> MonthlyPositions() const {
        std::vector<std::size_t> positions;
        for (std::size_t position = monthlyBegin_; position < items_.size(); ++position) {
            if (items_[position]->HasXmlElement()) positions.push_back(position);
        }
        return positions;
    }

    void MonthlyItems() {
        const std::vector<std::size_t> positions = MonthlyPositions();
        if (positions.empty()) return;
        out_ += "<h2 id=\"monthly\">月別売上等</h2>\n";
        out_ += "<p>金額を選ぶと、その月の集計元に移ります。</p>\n";
        out_ += "<table class=\"months\"><thead><tr><th>月</th>";
        for (const std::size_t position : positions) {
            const StatementItem& item = *items_[position];
            out_ += "<th><a href=\"#item-" + Number(item.itemNo) + "\">" + Number(item.itemNo) +
                    " " + Html(item.name()) + "</a></th>";
        }
        out_ += "</tr></thead>\n<tbody>\n";
        for (int n = 1; n <= kMonths; ++n) {
            out_ += "<tr><th>" + MonthLabel(n) + "</th>";
            for (const std::size_t position : positions) {
                const StatementItem& item = *items_[position];
                const std::int64_t amount = item.amounts[static_cast<std::size_t>(n)];
                out_ += "<td class=\"item num\"" +
                        ItemData(item, TwoDigitName(item.key(), n), amount, position) +
                        " data-month=\"" + Number(n) + "\"><a href=\"#" + CellId(item, n) + "\">" +
                        XmlAmount(amount) + "</a></td>";
            }
            out_ += "</tr>\n";
        }
        out_ += "</tbody></table>\n";
        for (const std::size_t position : positions)
            MonthlySources(*items_[position], SourcesAt(position));
    }

    static std::string CellId(const StatementItem& item, int n) {
        return "m" + Number(item.itemNo) + "-" + TwoDigits(n);
    }

    void MonthlySources(const StatementItem& item, const std::vector<DetailSource>& sources) {
        out_ += "<h3 id=\"item-" + Number(item.itemNo) + "\">" + Number(item.itemNo) + " " +
                Html(item.name()) + "（<span class=\"code\">" + Html(item.key()) +
                "</span>）の集計元</h3>\n";
        out_ +=
            "<table class=\"cells\"><colgroup><col style=\"width:24mm\">"
            "<col style=\"width:16mm\"><col><col style=\"width:10mm\"><col style=\"width:10mm\">"
            "<col style=\"width:27mm\"></colgroup>\n"
            "<thead><tr><th>月</th><th>コード</th><th>科目名</th><th>貸借</th><th>加減</th>"
            "<th>金額</th></tr></thead>\n<tbody>\n";
        for (const DetailSource& source : sources) {
            if (source.kind == Kind::kAccount) continue;
            // Sources that give no month: what went wrong, or a figure that
            // only a main item can take.
            const bool idle = source.kind == Kind::kNothing;
            const std::string code = idle ? IdleCode(source) : source.accountId;
            out_ += "<tr class=\"source idle\"" + SourceData(item, code, 0, true) +
                    "><td></td><td class=\"code\">" + Html(code) + "</td><td>" +
                    (idle ? IdleName(source) + WhyText(source.why)
                          : std::string("ホストの分類集計（月別の項目には入りません）")) +
                    "</td><td>" + SideText(source.account.side) +
                    "</td><td>－</td><td class=\"num\">0</td></tr>\n";
        }
        for (int n = 1; n <= kMonths; ++n) {
            const std::size_t month = static_cast<std::size_t>(n);
            out_ += "<tr class=\"month\" id=\"" + CellId(item, n) + "\"><th>" + MonthLabel(n) +
                    "</th><th colspan=\"4\" class=\"code\">" + Html(TwoDigitName(item.key(), n)) +
                    "</th><th class=\"num\">" + XmlAmount(item.amounts[month]) + "</th></tr>\n";
            bool any = false;
            for (const DetailSource& source : sources) {
                if (source.kind != Kind::kAccount || source.months[month] == 0) continue;
                any = true;
                out_ += "<tr class=\"source\"" +
                        SourceData(item, CodeText(source.account), source.months[month], true) +
                        " data-month=\"" + Number(n) + "\"><td></td><td class=\"code\">" +
                        Html(CodeText(source.account)) + "</td><td class=\"name\">" +
                        AccountName(source.account) + "</td><td>" + SideText(source.account.side) +
                        "</td><td>" + (source.sign > 0 ? "加算" : "減算") +
                        "</td><td class=\"num\">" + Yen(source.months[month]) + "</td></tr>\n";
            }
            if (!any)
                out_ += "<tr class=\"idle\"><td></td><td colspan=\"5\">集計額なし</td></tr>\n";
        }
        out_ += "</tbody></table>\n";
    }

    const DetailHeading& heading_;
    const AggregationDetail& detail_;
    std::vector<const StatementItem*> items_;
    std::size_t monthlyBegin_ = 0;
    std::string out_;
};

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
    return Composer(heading, items, detail).Compose();
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
