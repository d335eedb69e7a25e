// The aggregation detail ("集計明細"): an HTML document beside the XML that
// shows what the checks found, how every figure of the statement was made
// (each item's accounts with their balances, added or subtracted, and the
// host's figures) in yen and in the thousands the form is filled in, and
// the monthly items against the main items they must add up to. One
// self-contained UTF-8 file, for the screen and for A4 paper; every item,
// source and finding row carries its numbers in data- attributes for tools.
#pragma once

#include <cstdint>
#include <string>

#include "model/aggregation_detail.h"
#include "model/item_catalogue.h"
#include "platform/desktop.h"
#include "platform/file_system.h"

// What the run was: the heading of the document. Texts are code page 932.
struct DetailHeading {
    std::string companyName;
    // yyyymmdd.
    std::int32_t periodStart = 0;
    std::int32_t periodEnd = 0;
    // The calendar year and month of the fiscal year's first month.
    int firstYear = 0;
    int firstMonth = 1;
    // The months aggregated, the adjustment periods taken with them, the
    // introduction month and the tax view.
    DetailRun run;
    std::string editionName;
    LocalTime runTime;
    std::string xmlPath;
};

// The suffix that names the detail after its XML: "_集計明細.html".
extern const char kDetailDocumentSuffix[];

// The XML's path without its file name's extension, then the suffix. A
// result longer than a path may be is returned all the same; writing it
// fails.
std::string DetailDocumentPath(const std::string& xmlPath);

// The whole document, composed in code page 932 like every text of the
// program; WriteDetailDocument converts it.
std::string DetailDocumentText(const DetailHeading& heading, const ItemCatalogue& items,
                               const AggregationDetail& detail);

// Writes `text` as UTF-8 to `path`: true when all of it is there. On any
// failure (a path too long, a full disk) nothing is left at the path.
bool WriteDetailDocument(FileSystem& files, const std::string& path, const std::string& text);
