// The monthly items of the detail: a table of months by items, in yen and
// in thousands, closed by each item's total and, where the main items have
// its counterpart, their amount and the difference; then each item's
// sources month by month.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "report/detail_html.h"
#include "report/detail_page.h"
#include "report/overview_report.h"

namespace {

using Kind = DetailSource::Kind;

constexpr int kMonths = 12;
// The withholding tax is filled in yen, not thousands.
constexpr int kWithholdingTaxItem = 40;

std::vector<std::size_t> MonthlyPositions(const DetailPage& page) {
    std::vector<std::size_t> positions;
    const std::vector<const StatementItem*>& items = page.Items();
    for (std::size_t position = page.MonthlyBegin(); position < items.size(); ++position) {
        if (items[position]->HasXmlElement()) positions.push_back(position);
    }
    return positions;
}

const DetailReconciliation* ReconciliationOf(const DetailPage& page, int itemNo) {
    for (const DetailReconciliation& reconciliation : page.Detail().reconciliations) {
        if (reconciliation.monthlyItem == itemNo) return &reconciliation;
    }
    return nullptr;
}

std::string CellId(const StatementItem& item, int n) {
    return "m" + Number(item.itemNo) + "-" + TwoDigits(n);
}

// The amount in yen and, beneath it, in thousands.
std::string YenAndThousands(const StatementItem& item, std::int64_t amount,
                            const std::string& yen) {
    const std::string thousands = Thousands(amount);
    if (item.itemNo == kWithholdingTaxItem || thousands.empty()) return yen;
    return yen + "<span class=\"k\">" + thousands + "千円</span>";
}

std::int64_t MonthsSum(const StatementItem& item) {
    std::int64_t sum = 0;
    for (int n = 1; n <= kMonths; ++n)
        sum = SaturatingSum(sum, item.amounts[static_cast<std::size_t>(n)]);
    return sum;
}

// A cell of the rows under the months.
std::string TotalCell(const std::string& cls, const std::string& attributes,
                      const std::string& content) {
    return "<td class=\"num" + cls + "\"" + attributes + ">" + content + "</td>";
}

// The rows under the months: each item's total, the main items' amount it
// must add up to and the difference.
std::string TotalRows(const DetailPage& page, const std::vector<std::size_t>& positions) {
    const std::vector<const StatementItem*>& items = page.Items();
    std::string total = "<tr class=\"total\"><th scope=\"row\">計</th>";
    std::string main = "<tr class=\"main\"><th scope=\"row\">主要科目</th>";
    std::string difference = "<tr class=\"difference\"><th scope=\"row\">差額</th>";
    bool any = false;
    for (const std::size_t position : positions) {
        const StatementItem& item = *items[position];
        const DetailReconciliation* reconciliation = ReconciliationOf(page, item.itemNo);
        const std::string data = " data-item=\"" + Number(item.itemNo) + "\"";
        const std::int64_t sum = MonthsSum(item);
        total += TotalCell("", data + " data-total=\"" + Yen(sum, false) + "\"",
                           YenAndThousands(item, sum, WrittenYen(sum)));
        if (reconciliation == nullptr) {
            main += "<td></td>";
            difference += "<td></td>";
            continue;
        }
        any = true;
        std::string names;
        for (const int no : reconciliation->mainItems)
            names.append(names.empty() ? "" : "＋").append(ItemLabel(items, no));
        main += TotalCell(
            "", data + " data-main=\"" + Yen(reconciliation->main, false) + "\"",
            "<span class=\"of\">" + names + "</span>" +
                YenAndThousands(item, reconciliation->main, WrittenYen(reconciliation->main)));
        const std::int64_t gap = SaturatingDifference(reconciliation->months, reconciliation->main);
        const char* cls = gap == 0 ? "" : reconciliation->mustTie ? " check" : " note";
        difference +=
            TotalCell(cls, data + " data-difference=\"" + Yen(gap, false) + "\"", Yen(gap));
    }
    std::string out = total + "</tr>\n";
    if (any) out += main + "</tr>\n" + difference + "</tr>\n";
    return out;
}

std::string MonthsTable(const DetailPage& page, const std::vector<std::size_t>& positions) {
    const std::vector<const StatementItem*>& items = page.Items();
    std::string out =
        "<table class=\"months\"><caption class=\"sr\">月別売上等の金額（円と千円）</caption>"
        "<colgroup><col style=\"width:24mm\"><col span=\"" +
        Number(static_cast<std::int64_t>(positions.size())) +
        "\"></colgroup>\n<thead><tr><th scope=\"col\">月</th>";
    for (const std::size_t position : positions) {
        const StatementItem& item = *items[position];
        out += "<th scope=\"col\"><a href=\"#item-" + Number(item.itemNo) + "\">" +
               Number(item.itemNo) + " " + Html(item.name()) + "</a></th>";
    }
    out += "</tr></thead>\n<tbody>\n";
    for (int n = 1; n <= kMonths; ++n) {
        out += "<tr><th scope=\"row\">" + page.MonthLabel(n) + page.MonthMark(n) + "</th>";
        for (const std::size_t position : positions) {
            const StatementItem& item = *items[position];
            const std::int64_t amount = item.amounts[static_cast<std::size_t>(n)];
            out += "<td class=\"item num\"" +
                   page.ItemData(item, TwoDigitName(item.key(), n), amount, position) +
                   " data-month=\"" + Number(n) + "\">" +
                   YenAndThousands(
                       item, amount,
                       "<a href=\"#" + CellId(item, n) + "\">" + WrittenYen(amount) + "</a>") +
                   "</td>";
        }
        out += "</tr>\n";
    }
    out += "</tbody>\n<tfoot>\n" + TotalRows(page, positions) + "</tfoot></table>\n";
    return out;
}

std::string MonthlySources(const DetailPage& page, const StatementItem& item,
                           const std::vector<DetailSource>& sources) {
    std::string out = "<h3 id=\"item-" + Number(item.itemNo) + "\">" + Number(item.itemNo) + " " +
                      Html(item.name()) + "の集計元<span class=\"key\">" + Html(item.key()) +
                      "</span></h3>\n";
    out += "<table class=\"cells\"><caption class=\"sr\">" + Number(item.itemNo) + " " +
           Html(item.name()) +
           "の月別の集計元</caption><colgroup><col style=\"width:24mm\">"
           "<col style=\"width:16mm\"><col><col style=\"width:10mm\"><col style=\"width:10mm\">"
           "<col style=\"width:27mm\"></colgroup>\n"
           "<thead><tr><th scope=\"col\">月</th><th scope=\"col\">コード</th>"
           "<th scope=\"col\">科目名</th><th scope=\"col\">貸借</th><th scope=\"col\">加減</th>"
           "<th scope=\"col\">金額（円）</th></tr></thead>\n";
    std::string idle;
    for (const DetailSource& source : sources) {
        if (source.kind == Kind::kAccount) continue;
        // Sources that give no month: what went wrong, or a figure that
        // only a main item can take.
        const bool nothing = source.kind == Kind::kNothing;
        const std::string code = nothing ? IdleCodeText(source) : source.accountId;
        idle +=
            "<tr class=\"source idle\"" + SourceData(item, code, 0, true) +
            "><td></td><td class=\"code\">" + Html(code) + "</td><td>" +
            (nothing ? IdleNameText(source) + WhyText(source.why)
                     : std::string("会計アプリケーションの集計値（月別の項目には入りません）")) +
            "</td><td>" + SideText(source.account.side) +
            "</td><td>－</td><td class=\"num\">0</td></tr>\n";
    }
    if (!idle.empty()) out += "<tbody>\n" + idle + "</tbody>\n";
    for (int n = 1; n <= kMonths; ++n) {
        const std::size_t month = static_cast<std::size_t>(n);
        out += "<tbody id=\"" + CellId(item, n) + "\">\n<tr class=\"month\">" +
               "<th scope=\"rowgroup\" colspan=\"5\">" + page.MonthLabel(n) + page.MonthMark(n) +
               "<span class=\"key\">" + Html(TwoDigitName(item.key(), n)) +
               "</span></th><td class=\"num\">" + WrittenYen(item.amounts[month]) + "</td></tr>\n";
        bool any = false;
        for (const DetailSource& source : sources) {
            if (source.kind != Kind::kAccount || source.months[month] == 0) continue;
            any = true;
            out += "<tr class=\"source\"" +
                   SourceData(item, CodeText(source.account), source.months[month], true) +
                   " data-month=\"" + Number(n) + "\"><td></td><td class=\"code\">" +
                   Html(CodeText(source.account)) + "</td><td class=\"name\">" +
                   AccountNameText(source.account) + "</td><td>" + SideText(source.account.side) +
                   "</td><td>" + (source.sign > 0 ? "加算" : "減算") + "</td><td class=\"num\">" +
                   Yen(source.months[month]) + "</td></tr>\n";
        }
        if (!any) out += "<tr class=\"idle\"><td></td><td colspan=\"5\">集計額なし</td></tr>\n";
        out += "</tbody>\n";
    }
    out += "</table>\n";
    return out;
}

}  // namespace

std::string DetailMonthlySection(const DetailPage& page) {
    const std::vector<std::size_t> positions = MonthlyPositions(page);
    if (positions.empty()) return "";
    std::string out = "<h2 id=\"monthly\">月別売上等</h2>\n";
    out +=
        "<p>月ごとの金額と、その下に千円の金額（源泉徴収税額は円のまま）を示します。金額を選ぶと、"
        "その月の集計元に移ります。「計」の下には、月別の合計と一致するはずの主要科目の金額と、"
        "その差額を示します。</p>\n";
    out += MonthsTable(page, positions);
    for (const std::size_t position : positions)
        out += MonthlySources(page, *page.Items()[position], page.SourcesAt(position));
    return out;
}
