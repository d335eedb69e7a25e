// The main items of the detail: each item with its amount as written and
// in thousands, and beneath it every source with what it gave.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "model/mapping_entry.h"
#include "report/detail_html.h"
#include "report/detail_page.h"

namespace {

using Kind = DetailSource::Kind;

// Cells after the name: code, side, kind of balance, the account's amount,
// added or subtracted, the amount as applied and the thousands column.
std::string SourceCells(const std::string& code, const std::string& side, const std::string& kind,
                        const std::string& balance, const std::string& sign,
                        const std::string& amount) {
    return "<td class=\"code\">" + code + "</td><td>" + side + "</td><td>" + kind +
           "</td><td class=\"num\">" + balance + "</td><td>" + sign + "</td><td class=\"num\">" +
           amount + "</td><td></td></tr>\n";
}

std::string AccountSource(const StatementItem& item, const DetailSource& source,
                          const std::string& cls) {
    const std::string sign = !source.counted ? "置換" : source.sign > 0 ? "加算" : "減算";
    return "<tr class=\"" + cls + "\"" +
           SourceData(item, CodeText(source.account), source.amount, source.counted) +
           "><td></td><td class=\"name\">" + AccountNameText(source.account) + "</td>" +
           SourceCells(Html(CodeText(source.account)), SideText(source.account.side),
                       BalanceKindText(source.account), Yen(source.account.balance), sign,
                       Yen(source.amount));
}

std::string FigureSource(const DetailPage& page, const StatementItem& item,
                         const DetailSource& source, const std::string& cls) {
    const bool remainder = source.kind == Kind::kRemainder;
    std::string what = "会計アプリケーションの集計値「" + source.figureName + "」";
    if (remainder) what += "から前の項目を差し引いた額";
    if (!source.figureFound) what += "（集計データなし）";
    const std::string sign = !source.counted ? "置換" : remainder ? "差引" : "設定";
    std::string out =
        "<tr class=\"" + cls + (remainder ? " remainder" : " figure") + "\"" +
        SourceData(item, source.accountId, source.amount, source.counted) + "><td></td><td>" +
        what + "</td>" +
        SourceCells("－", "－", "集計値", Yen(source.figureValue), sign, Yen(source.amount));
    const std::vector<const StatementItem*>& items = page.Items();
    for (const std::size_t position : source.subtracted) {
        if (position >= items.size()) continue;
        const StatementItem& minus = *items[position];
        out += "<tr class=\"subtracted\" data-item=\"" + Number(minus.itemNo) +
               "\" data-amount=\"" + Yen(minus.amounts[0], false) + "\"><td></td><td>差し引き：" +
               ItemLabel(items, minus.itemNo) + "</td>" +
               SourceCells("", "", "", Yen(-minus.amounts[0]), "減算", "");
    }
    return out;
}

std::string IdleSource(const StatementItem& item, const DetailSource& source,
                       const std::string& cls) {
    const bool keyword = IsReservedFigureKeyword(source.accountId);
    return "<tr class=\"" + cls + "\"" + SourceData(item, IdleCodeText(source), 0, true) +
           "><td></td><td>" + IdleNameText(source) + WhyText(source.why) + "</td>" +
           SourceCells(keyword ? "－" : Html(IdleCodeText(source)), SideText(source.account.side),
                       keyword ? "集計値" : BalanceKindText(source.account), "－", "－", "0");
}

std::string MainSource(const DetailPage& page, const StatementItem& item,
                       const DetailSource& source) {
    std::string cls = "source";
    if (!source.counted) cls += " replaced";
    switch (source.kind) {
        case Kind::kAccount:
            return AccountSource(item, source, cls);
        case Kind::kFigure:
        case Kind::kRemainder:
            return FigureSource(page, item, source, cls);
        case Kind::kNothing:
            return IdleSource(item, source, cls + " idle");
    }
    return "";
}

std::string ItemRow(const DetailPage& page, const StatementItem& item, std::size_t position) {
    const bool written = item.HasXmlElement();
    const std::string key = written ? item.key() : "";
    const std::string element = written ? "<span class=\"key\">" + Html(key) + "</span>"
                                        : "<span class=\"key muted\">XMLに出力しない項目</span>";
    return "<tr class=\"item\"" + page.ItemData(item, key, item.amounts[0], position) +
           "><td class=\"num\">" + Number(item.itemNo) +
           "</td><th scope=\"rowgroup\" colspan=\"6\">" + Html(item.name()) + element +
           "</th><td class=\"num\">" + WrittenYen(item.amounts[0]) + "</td><td class=\"num\">" +
           Thousands(item.amounts[0]) + "</td></tr>\n";
}

}  // namespace

std::string DetailMainItemsSection(const DetailPage& page) {
    std::string out = "<h2 id=\"main\">主要科目</h2>\n";
    out +=
        "<p>"
        "各項目の下に、その金額の集計元を示します。「科目の金額」は、貸借対照表の科目は期間残高、"
        "損益計算書の科目は当期発生額で、いずれも科目の貸借の向きの金額です。項目と貸借が同じ科目は"
        "加算、異なる科目は減算されます。「－」はXMLで空欄となる金額です。</p>\n";
    out +=
        "<table class=\"items\"><caption class=\"sr\">主要科目の金額と集計元</caption>"
        "<colgroup><col style=\"width:10mm\"><col><col style=\"width:13mm\">"
        "<col style=\"width:10mm\"><col style=\"width:20mm\"><col style=\"width:24mm\">"
        "<col style=\"width:10mm\"><col style=\"width:24mm\"><col style=\"width:16mm\">"
        "</colgroup>\n"
        "<thead><tr><th scope=\"col\">番号</th><th scope=\"col\">項目名／集計元</th>"
        "<th scope=\"col\">コード</th><th scope=\"col\">貸借</th><th scope=\"col\">区分</th>"
        "<th scope=\"col\">科目の金額</th><th scope=\"col\">加減</th>"
        "<th scope=\"col\">金額（円）</th><th scope=\"col\">千円</th></tr></thead>\n";
    const std::vector<const StatementItem*>& items = page.Items();
    for (std::size_t position = 0; position < page.MonthlyBegin(); ++position) {
        const StatementItem& item = *items[position];
        const std::vector<DetailSource>& sources = page.SourcesAt(position);
        if (!item.HasXmlElement() && sources.empty()) continue;
        out += "<tbody id=\"item-" + Number(item.itemNo) + "\">\n" + ItemRow(page, item, position);
        if (sources.empty())
            out += "<tr class=\"idle\"><td></td><td colspan=\"8\">集計元の設定なし</td></tr>\n";
        for (const DetailSource& source : sources)
            out += MainSource(page, item, source);
        out += "</tbody>\n";
    }
    out += "</table>\n";
    return out;
}
