// What the sections of the aggregation detail share while it is composed:
// the run, the items in catalogue order, their sources, and the months as
// the user knows them. Each section is composed by a function of its own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "model/aggregation_detail.h"
#include "model/item_catalogue.h"
#include "report/detail_document.h"

class DetailPage {
  public:
    // All three must outlive the page.
    DetailPage(const DetailHeading& heading, const ItemCatalogue& items,
               const AggregationDetail& detail);

    const DetailHeading& Heading() const { return heading_; }
    const AggregationDetail& Detail() const { return detail_; }
    const std::vector<const StatementItem*>& Items() const { return items_; }
    // As in the XML: the main items end at the first monthly item.
    std::size_t MonthlyBegin() const { return monthlyBegin_; }
    // A detail read from another catalogue may have fewer lists than items.
    const std::vector<DetailSource>& SourcesAt(std::size_t position) const;

    // "2025年4月" for a position (1 to 12) of the fiscal year.
    std::string MonthLabel(int position) const;
    // What a month holds besides its own amounts, as a line under its label:
    // the months before the introduction, the year-end or the interim
    // adjustments; "" when nothing.
    std::string MonthMark(int position) const;

    // The item's data- attributes: number, XML element name, the amount as
    // the XML has it and exactly, what fed it, and the thousands of the
    // form.
    std::string ItemData(const StatementItem& item, const std::string& key, std::int64_t amount,
                         std::size_t position) const;

  private:
    const DetailHeading& heading_;
    const AggregationDetail& detail_;
    std::vector<const StatementItem*> items_;
    std::size_t monthlyBegin_ = 0;
};

// The sections, in the order the document shows them.
std::string DetailFindingsSection(const DetailPage& page);
std::string DetailMainItemsSection(const DetailPage& page);
std::string DetailMonthlySection(const DetailPage& page);
