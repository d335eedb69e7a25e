#include "report/detail_findings.h"

#include <string>
#include <vector>

#include "report/detail_html.h"

namespace {

using FindingKind = DetailFinding::Kind;

std::string FindingKindName(FindingKind kind) {
    switch (kind) {
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

std::string FindingText(const DetailFinding& finding) {
    switch (finding.kind) {
        case FindingKind::kMappedTwice:
            return "同じ科目が同じ項目に" + Number(finding.count) + "回設定されているため、" +
                   Number(finding.count) + "回集計されています。";
        case FindingKind::kNoSuchAccount:
            return "設定されている科目の識別子が、このデータの勘定科目にありません。" +
                   (finding.count == 0 ? std::string("集計に含まれていません。")
                                       : "識別子の一致する集計行" + Number(finding.count) +
                                             "件が集計されています。");
        case FindingKind::kOutsideClasses:
            return "項目の対象分類にない科目が設定されています。";
        case FindingKind::kUnusedAccounts:
            return "項目の対象分類の科目に期間残高がありますが、どの項目にも設定されていません"
                   "。";
        case FindingKind::kAssetsUnbalanced:
            return "ホストの資産の部合計（" + Yen(finding.value) +
                   "円）と、負債の部合計と純資産（資本）の部合計の和（" + Yen(finding.other) +
                   "円）が一致しません。";
        case FindingKind::kExcludedByHost:
            return "設定されている科目は、ホストが集計対象外としているため集計されていません。";
        case FindingKind::kNoSuchItem:
            return "項目定義にない項目番号に集計元が設定されています。集計されていません。";
        case FindingKind::kFigureReplaces:
            return "ホストの分類集計と科目が同じ項目に設定されています。科目の金額は分類集計で"
                   "置き換えられ、XMLの金額に含まれていません。";
        case FindingKind::kFigureMissing:
            return "ホストの分類集計「" + finding.figureName +
                   "」の集計行がないため、0円が設定されています。";
        case FindingKind::kSharedAccount:
            return "同じ科目が複数の主要科目に設定され、それぞれに集計されています。";
        case FindingKind::kNotWritten:
            return "XMLに出力しない項目に集計元が設定されています。";
    }
    return "";
}

std::string AccountText(const DetailFinding& finding, const DetailAccount& account) {
    std::string text = "<span class=\"code\">" + Html(CodeText(account)) + "</span>";
    if (account.code != 0) text += " " + Html(account.name);
    if (finding.kind == FindingKind::kUnusedAccounts)
        text += "（残高 " + Yen(account.balance) + "円）";
    if (finding.kind == FindingKind::kOutsideClasses)
        text += "（分類 " + Hex(account.classCode) + "）";
    return text;
}

}  // namespace

std::string DetailFindingsSection(const std::vector<DetailFinding>& findings,
                                  const std::vector<const StatementItem*>& items) {
    std::string out;
    out += "<h2 id=\"checks\">点検</h2>\n";
    if (findings.empty()) {
        out += "<p>点検で指摘する事項はありません。</p>\n";
        return out;
    }
    out +=
        "<p>「要確認」は申告書の金額が意図と異なるおそれのある設定、"
        "「参考」は意図したものであれば問題のない設定です。</p>\n"
        "<table class=\"findings\"><colgroup><col style=\"width:14mm\"><col>"
        "<col style=\"width:40mm\"><col style=\"width:50mm\"></colgroup>\n"
        "<thead><tr><th>区分</th><th>内容</th><th>項目</th><th>科目</th></tr></thead>\n"
        "<tbody>\n";
    for (const DetailFinding& finding : findings) {
        const bool check = finding.level == DetailFinding::Level::kCheck;
        std::string itemNos, codes, itemText, accountText;
        for (const int itemNo : finding.items) {
            itemNos += (itemNos.empty() ? "" : " ") + Number(itemNo);
            itemText += (itemText.empty() ? "" : "<br>") + ItemLabel(items, itemNo);
        }
        for (const DetailAccount& account : finding.accounts) {
            codes += (codes.empty() ? "" : " ") + Html(CodeText(account));
            accountText += (accountText.empty() ? "" : "<br>") + AccountText(finding, account);
        }
        out.append("<tr class=\"finding\" data-kind=\"")
            .append(FindingKindName(finding.kind))
            .append("\" data-level=\"")
            .append(check ? "check" : "note")
            .append("\" data-items=\"")
            .append(itemNos)
            .append("\" data-codes=\"")
            .append(codes)
            .append(check ? "\"><td class=\"check\">要確認" : "\"><td class=\"note\">参考")
            .append("</td><td>")
            .append(FindingText(finding))
            .append("</td><td>")
            .append(itemText)
            .append("</td><td>")
            .append(accountText)
            .append("</td></tr>\n");
    }
    out += "</tbody></table>\n";
    return out;
}
