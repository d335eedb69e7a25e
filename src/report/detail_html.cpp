#include "report/detail_html.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "model/grouped_digits.h"
#include "model/mapping_entry.h"
#include "model/shift_jis_text.h"
#include "report/overview_report.h"

namespace {

constexpr std::int64_t kUnitsPerYen = 10000;
constexpr std::int64_t kYenPerThousand = 1000;
constexpr std::uint8_t kDebitSide = 1;

}  // namespace

const char kDetailStyle[] = R"(
@page { size: A4 portrait; margin: 12mm 10mm; }
* { box-sizing: border-box; }
body { font-family: "IPAPGothic", "IPAexGothic", "Noto Sans CJK JP", "Meiryo", "Yu Gothic",
  sans-serif; font-size: 9.5pt; line-height: 1.35; color: #000; background: #fff;
  margin: 0 auto; max-width: 190mm; padding: 6mm 0; }
h1 { font-size: 15pt; margin: 0 0 3mm; }
h2 { font-size: 12pt; margin: 7mm 0 2mm; padding-bottom: 0.5mm; border-bottom: 1.5px solid #333;
  break-after: avoid; }
h3 { font-size: 10pt; margin: 5mm 0 1.5mm; break-after: avoid; }
p { margin: 1mm 0 2mm; }
table { width: 100%; border-collapse: collapse; table-layout: fixed; margin: 0 0 2mm; }
caption { text-align: left; }
.sr { position: absolute; width: 1px; height: 1px; overflow: hidden; clip: rect(0 0 0 0);
  white-space: nowrap; }
th, td { border: 1px solid #999; padding: 0.5mm 1.2mm; vertical-align: top;
  overflow-wrap: anywhere; }
th { background: #eee; font-weight: normal; text-align: left; }
thead { display: table-header-group; }
tfoot { display: table-row-group; }
tr { break-inside: avoid; }
.num { text-align: right; white-space: nowrap; }
.code { font-family: "IPAGothic", monospace; font-size: 8.5pt; }
.key, .k, .mark, .of { display: block; font-weight: normal; color: #555; }
.key { font-family: "IPAGothic", monospace; font-size: 7.5pt; }
.k, .mark { font-size: 7.5pt; }
.of { font-size: 7pt; text-align: left; white-space: normal; }
tr.item > * { background: #f3f3f3; font-weight: bold; border-top: 1.5px solid #555; }
tr.idle td, tr.replaced td, .muted { color: #595959; }
tr.replaced td.num { text-decoration: line-through; }
tr.subtracted td { font-size: 8.5pt; }
tr.month > * { background: #f3f3f3; }
table.cells tbody { break-inside: avoid; }
tr.total > * { border-top: 1.5px solid #555; font-weight: bold; }
table.items { font-size: 9pt; }
table.months { font-size: 8.5pt; }
.check { color: #b00000; font-weight: bold; }
.note { color: #004080; font-weight: bold; }
a { color: inherit; }
@media print { body { max-width: none; padding: 0; } a { text-decoration: none; } }
@media screen { a.blank { display: inline-block; min-width: 24px; min-height: 24px; text-align: center; } }
)";
std::string Html(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        if (CharacterWidthAt(text, i) == 2) {
            out.append(text.substr(i, 2));
            i += 2;
            continue;
        }
        const unsigned char byte = static_cast<unsigned char>(text[i++]);
        switch (byte) {
            case '&':
                out += "&amp;";
                continue;
            case '<':
                out += "&lt;";
                continue;
            case '>':
                out += "&gt;";
                continue;
            case '"':
                out += "&quot;";
                continue;
            case '\'':
                out += "&#39;";
                continue;
            default:
                break;
        }
        const bool halfWidthKana = byte >= 0xA1 && byte <= 0xDF;
        const bool printable = byte >= 0x20 && byte < 0x7F;
        out += printable || halfWidthKana ? static_cast<char>(byte) : '?';
    }
    return out;
}

std::string Number(std::int64_t value) {
    return std::to_string(value);
}
std::string Yen(std::int64_t count, bool grouped) {
    const std::uint64_t magnitude =
        count < 0 ? 0 - static_cast<std::uint64_t>(count) : static_cast<std::uint64_t>(count);
    const std::uint64_t wholeYen = magnitude / kUnitsPerYen;
    const std::string whole = grouped ? GroupedDigits(wholeYen) : std::to_string(wholeYen);
    std::string text = (count < 0 ? "-" : "") + whole;
    const unsigned fraction = static_cast<unsigned>(magnitude % kUnitsPerYen);
    if (fraction != 0) {
        char digits[8];
        std::snprintf(digits, sizeof digits, ".%04u", fraction);
        std::string decimals = digits;
        while (decimals.back() == '0')
            decimals.pop_back();
        text += decimals;
    }
    return text;
}

std::string Hex(std::uint32_t code) {
    char text[12];
    std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(code));
    return text;
}

std::string TwoDigits(int n) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d", n);
    return text;
}

std::string DateText(std::int32_t yyyymmdd) {
    return Number(yyyymmdd / 10000) + "年" + Number(yyyymmdd / 100 % 100) + "月" +
           Number(yyyymmdd % 100) + "日";
}

std::string SideText(std::uint8_t side) {
    if (side == 0) return "－";
    return side == kDebitSide ? "借方" : "貸方";
}
std::string BalanceKindText(const DetailAccount& account) {
    if (account.classCode == 0) return "－";
    return IsBalanceSheetClass(account.classCode) ? "期間残高" : "当期発生額";
}

std::string WrittenYen(std::int64_t count) {
    const std::string text = AmountText(count);
    if (text.empty()) return "<span class=\"muted\">－</span>";
    return Yen(std::stoll(text) * kUnitsPerYen);
}

std::string Thousands(std::int64_t count, bool grouped) {
    const std::string text = AmountText(count);
    if (text.empty()) return "";
    return Yen(std::stoll(text) / kYenPerThousand * kUnitsPerYen, grouped);
}

std::string CodeText(const DetailAccount& account) {
    if (account.code == 0) return account.accountId;
    return Number(account.code / 10000);
}

std::string AccountNameText(const DetailAccount& account) {
    if (account.code == 0) return "<span class=\"muted\">（この会社データにない科目）</span>";
    return Html(account.name);
}

std::string WhyText(DetailSource::Why why) {
    using Why = DetailSource::Why;
    switch (why) {
        case Why::kNoAccount:
            return "（この会社データにない科目：集計なし）";
        case Why::kNoTotalsRow:
            return "（集計データなし）";
        case Why::kExcludedByHost:
            return "（会計アプリケーションが集計の対象外とする科目：集計なし）";
        case Why::kNotApplied:
            return "（この項目には設定されない集計値）";
        case Why::kNone:
            break;
    }
    return "";
}

std::string IdleCodeText(const DetailSource& source) {
    if (IsReservedFigureKeyword(source.accountId) || source.account.code == 0)
        return source.accountId;
    return CodeText(source.account);
}

std::string IdleNameText(const DetailSource& source) {
    if (IsReservedFigureKeyword(source.accountId)) return "会計アプリケーションの集計値";
    return AccountNameText(source.account);
}

std::string SourceData(const StatementItem& item, const std::string& code, std::int64_t amount,
                       bool counted) {
    return " data-item=\"" + Number(item.itemNo) + "\" data-code=\"" + Html(code) +
           "\" data-amount=\"" + Yen(amount, false) + "\"" + (counted ? "" : " data-counted=\"0\"");
}

std::string ItemLabel(const std::vector<const StatementItem*>& items, int itemNo) {
    for (const StatementItem* item : items) {
        if (item->itemNo == itemNo) return Number(itemNo) + " " + Html(item->name());
    }
    return Number(itemNo);
}

std::string ClassText(const std::vector<const StatementItem*>& items, std::uint32_t classCode) {
    for (const StatementItem* item : items) {
        if (item->IsUnusedSlot()) continue;
        for (const std::uint32_t code : item->classCodes) {
            if (code == classCode && code != 0) return Html(item->name()) + "（" + Hex(code) + "）";
        }
    }
    return "どの項目にもない分類（" + Hex(classCode) + "）";
}
