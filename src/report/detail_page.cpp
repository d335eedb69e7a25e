#include "report/detail_page.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "report/detail_html.h"
#include "report/overview_report.h"

namespace {

constexpr int kMonths = 12;

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
