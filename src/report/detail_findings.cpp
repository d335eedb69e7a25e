// The checks section ("点検") of the aggregation detail: one row per
// finding, marked "要確認" or "参考", with the items and accounts it
// concerns, and its kind, level, items, codes and amounts in data-
// attributes.
#include <string>
#include <vector>

#include "report/detail_html.h"
#include "report/detail_page.h"

namespace {

using FindingKind = DetailFinding::Kind;

constexpr int kClosingInventoryItem = 10;

const char* FindingKindName(FindingKind kind) {
    switch (kind) {
        case FindingKind::kPartYear:
            return "part-year";
        case FindingKind::kTaxView:
            return "tax-view";
        case FindingKind::kIntroMonth:
            return "intro-month";
        case FindingKind::kMonthsDiffer:
            return "months-differ";
        case FindingKind::kBreakdownOver:
            return "breakdown-over";
        case FindingKind::kInventoryDiffers:
            return "inventory-differs";
        case FindingKind::kOpeningOnMonthly:
            return "balance-on-monthly";
        case FindingKind::kMappedTwice:
            return "mapped-twice";
        case FindingKind::kNoSuchAccount:
            return "no-such-account";
        case FindingKind::kOutsideClasses:
            return "outside-classes";
        case FindingKind::kUnusedAccounts:
            return "unused-accounts";
        case FindingKind::kAssetsUnbalanced:
            return "assets-unbalanced";
        case FindingKind::kExcludedByHost:
            return "excluded-by-host";
        case FindingKind::kNoSuchItem:
            return "no-such-item";
        case FindingKind::kFigureReplaces:
            return "figure-replaces";
        case FindingKind::kFigureMissing:
            return "figure-missing";
        case FindingKind::kSharedAccount:
            return "shared-account";
        case FindingKind::kNotWritten:
            return "not-written";
    }
    return "";
}

std::string Difference(const DetailFinding& finding) {
    return "（差額 " + Yen(SaturatingDifference(finding.value, finding.other)) + "円）";
}

// The months from the first to `position`, or before it.
std::string MonthsUpTo(const DetailPage& page, int last) {
    const int first = page.Heading().run.startPosition;
    if (last <= first) return page.MonthLabel(first);
    return page.MonthLabel(first) + "～" + page.MonthLabel(last);
}

std::string RunFindingText(const DetailPage& page, const DetailFinding& finding) {
    const bool taxInclusive = page.Heading().run.taxInclusive;
    switch (finding.kind) {
        case FindingKind::kPartYear:
            return "集計した月は" + MonthsUpTo(page, finding.month) +
                   "で、事業年度の途中までです。事業概況書には事業年度1年分の金額を記載します。";
        case FindingKind::kTaxView:
            return std::string(taxInclusive ? "税込" : "税抜") +
                   "の金額で集計しています。会社データの消費税の設定は" +
                   (taxInclusive ? "税抜" : "税込") + "です。";
        case FindingKind::kIntroMonth:
            return "会社データの導入月（" + page.MonthLabel(finding.month) + "）より前の" +
                   MonthsUpTo(page, finding.month - 1) +
                   "の金額は、導入月の金額にまとめて含まれています。月別の金額は、導入前の帳簿で"
                   "月ごとに確かめてください。";
        default:
            return "";
    }
}

std::string StatementFindingText(const DetailPage& page, const DetailFinding& finding) {
    const bool check = finding.level == DetailFinding::Level::kCheck;
    switch (finding.kind) {
        case FindingKind::kMonthsDiffer:
            return "月別の合計（" + Yen(finding.value) + "円）が、主要科目の金額（" +
                   Yen(finding.other) + "円）と" + (check ? "一致しません" : "異なります") +
                   Difference(finding) + "。" +
                   (check ? "月別の金額の合計は、主要科目の金額と一致させてください。"
                          : "売上原価に含める範囲や科目の区分の違いによるものであれば"
                            "問題ありません。");
        case FindingKind::kBreakdownOver: {
            // The cost of sales' parts run to the closing inventory, which
            // they take off.
            bool less = false;
            for (std::size_t i = 0; i + 1 < finding.items.size(); ++i)
                less = less || finding.items[i] == kClosingInventoryItem;
            return std::string("内訳の項目の合計（") + Yen(finding.value) + "円" +
                   (less ? "、期末棚卸高は差し引いた額" : "") + "）が、合計の項目の金額（" +
                   Yen(finding.other) + "円）を超えています" + Difference(finding) + "。";
        }
        case FindingKind::kInventoryDiffers:
            return "期末棚卸高（" + Yen(finding.value) + "円）と棚卸資産（" + Yen(finding.other) +
                   "円）が異なります" + Difference(finding) +
                   "。貯蔵品など、売上原価に含めない棚卸資産によるものであれば問題ありません。";
        case FindingKind::kOpeningOnMonthly:
            if (finding.value == 0 || finding.month == 0) {
                return "貸借対照表の科目が月別の項目に設定されています。月別の金額は、その月の"
                       "残高の増減です。";
            }
            return "貸借対照表の科目が月別の項目に設定されています。月別の金額は残高の増減で、"
                   "期首残高（" +
                   Yen(finding.value) + "円）が" + page.MonthLabel(finding.month) +
                   "の金額に含まれています。";
        default:
            return "";
    }
}

std::string MappingFindingText(const DetailFinding& finding) {
    switch (finding.kind) {
        case FindingKind::kMappedTwice:
            return "同じ科目が同じ項目に" + Number(finding.count) + "回設定されているため、" +
                   Number(finding.count) + "回集計されています。";
        case FindingKind::kNoSuchAccount:
            return "設定されている科目が、この会社データの勘定科目にありません。" +
                   (finding.count == 0 ? std::string("集計に含まれていません。")
                                       : "同じ識別子の集計データ" + Number(finding.count) +
                                             "件が集計されています。");
        case FindingKind::kOutsideClasses:
            return "項目の対象の分類にない科目が設定されています。";
        case FindingKind::kUnusedAccounts:
            return "項目の対象の分類の科目に金額がありますが、どの項目にも設定されていません。";
        case FindingKind::kAssetsUnbalanced:
            return "会計アプリケーションの資産の部合計（" + Yen(finding.value) +
                   "円）と、負債の部合計と純資産（資本）の部合計の和（" + Yen(finding.other) +
                   "円）が一致しません" + Difference(finding) + "。";
        case FindingKind::kExcludedByHost:
            return "設定されている科目は、会計アプリケーションが集計の対象外としているため集計され"
                   "て"
                   "いません。";
        case FindingKind::kNoSuchItem:
            return "項目の定義にない項目番号に集計元が設定されています。集計されていません。";
        case FindingKind::kFigureReplaces:
            return "会計アプリケーションの集計値と科目が同じ項目に設定されています。科目の金額は"
                   "集計値で置き換えられ、XMLの金額に含まれていません。";
        case FindingKind::kFigureMissing:
            return "会計アプリケーションの集計値「" + finding.figureName +
                   "」の集計データがないため、0円が設定されています。";
        case FindingKind::kSharedAccount:
            return "同じ科目が複数の主要科目に設定され、それぞれに集計されています。";
        case FindingKind::kNotWritten:
            return "XMLに出力しない項目に集計元が設定されています。";
        default:
            return "";
    }
}

std::string FindingText(const DetailPage& page, const DetailFinding& finding) {
    std::string text = RunFindingText(page, finding);
    if (text.empty()) text = StatementFindingText(page, finding);
    if (text.empty()) text = MappingFindingText(finding);
    return text;
}

std::string AccountText(const DetailPage& page, const DetailFinding& finding,
                        const DetailAccount& account) {
    std::string text = "<span class=\"code\">" + Html(CodeText(account)) + "</span>";
    if (account.code != 0) text += " " + Html(account.name);
    if (finding.kind == FindingKind::kUnusedAccounts)
        text += "（" + BalanceKindText(account) + " " + Yen(account.balance) + "円）";
    if (finding.kind == FindingKind::kOutsideClasses)
        text += "（分類：" + ClassText(page.Items(), account.classCode) + "）";
    return text;
}

// The amounts a tool reads: the two figures compared and their difference,
// or the one amount a finding names.
std::string AmountsData(const DetailFinding& finding) {
    if (finding.Compares()) {
        return Yen(finding.value, false) + " " + Yen(finding.other, false) + " " +
               Yen(SaturatingDifference(finding.value, finding.other), false);
    }
    if (finding.kind == FindingKind::kOpeningOnMonthly) return Yen(finding.value, false);
    return "";
}

std::string FindingRow(const DetailPage& page, const DetailFinding& finding) {
    const bool check = finding.level == DetailFinding::Level::kCheck;
    std::string itemNos, codes, itemText, accountText;
    for (const int itemNo : finding.items) {
        itemNos += (itemNos.empty() ? "" : " ") + Number(itemNo);
        itemText += (itemText.empty() ? "" : "<br>") + ItemLabel(page.Items(), itemNo);
    }
    for (const DetailAccount& account : finding.accounts) {
        codes += (codes.empty() ? "" : " ") + Html(CodeText(account));
        accountText += (accountText.empty() ? "" : "<br>") + AccountText(page, finding, account);
    }
    std::string row = "<tr class=\"finding\" data-kind=\"";
    row.append(FindingKindName(finding.kind))
        .append("\" data-level=\"")
        .append(check ? "check" : "note")
        .append("\" data-items=\"")
        .append(itemNos)
        .append("\" data-codes=\"")
        .append(codes)
        .append("\" data-amounts=\"")
        .append(AmountsData(finding))
        .append("\"");
    if (finding.month != 0) row.append(" data-month=\"").append(Number(finding.month)).append("\"");
    row.append(check ? "><td class=\"check\">要確認" : "><td class=\"note\">参考")
        .append("</td><td>")
        .append(FindingText(page, finding))
        .append("</td><td>")
        .append(itemText)
        .append("</td><td>")
        .append(accountText)
        .append("</td></tr>\n");
    return row;
}

}  // namespace

std::string DetailFindingsSection(const DetailPage& page) {
    const std::vector<DetailFinding>& findings = page.Detail().findings;
    std::string out = "<h2 id=\"checks\">点検</h2>\n";
    if (findings.empty()) {
        out += "<p>点検で指摘する事項はありません。</p>\n";
        return out;
    }
    out +=
        "<p>「要確認」は申告書の金額が意図と異なるおそれのあるもの、「参考」は意図したものであれば"
        "問題のないものです。「要確認」があれば、集計条件と科目の設定を見直してから、もう一度実行し"
        "て"
        "ください。</p>\n"
        "<table class=\"findings\"><caption class=\"sr\">点検の結果</caption>"
        "<colgroup><col style=\"width:14mm\"><col>"
        "<col style=\"width:38mm\"><col style=\"width:48mm\"></colgroup>\n"
        "<thead><tr><th scope=\"col\">区分</th><th scope=\"col\">内容</th>"
        "<th scope=\"col\">項目</th><th scope=\"col\">科目</th></tr></thead>\n<tbody>\n";
    for (const DetailFinding& finding : findings)
        out += FindingRow(page, finding);
    out += "</tbody></table>\n";
    return out;
}
