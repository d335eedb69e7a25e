// The totals rows whose balance the host classifies itself, which keep it
// as a figure, and the reserved keywords that put a figure into an item.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

enum class ClassFigure {
    kSales,
    kCostOfSales,
    kGrossProfit,
    kOperatingProfit,
    kPreTaxProfit,
    kAssets,
    kLiabilities,
    kCapital,
    kCount
};
constexpr std::size_t kClassFigureCount = static_cast<std::size_t>(ClassFigure::kCount);

struct FigureRule {
    std::uint32_t classCode;
    // The rows' flags decide whether they give the figure.
    bool flagTest;
};

// In ClassFigure order.
inline constexpr std::array<FigureRule, kClassFigureCount> kFigureRules = {{
    {0x40888000u, true},   // kSales
    {0x40884000u, true},   // kCostOfSales
    {0x40880008u, true},   // kGrossProfit
    {0x40880000u, true},   // kOperatingProfit
    {0x40200080u, false},  // kPreTaxProfit
    {0x80800000u, true},   // kAssets
    {0x80400000u, true},   // kLiabilities
    {0x80200000u, true},   // kCapital
}};

// What the user reads for each figure, in ClassFigure order.
inline constexpr std::array<std::string_view, kClassFigureCount> kFigureNames = {
    "売上高",         "売上原価",     "売上総利益",   "営業損益",
    "税引前当期損益", "資産の部合計", "負債の部合計", "純資産（資本）の部合計",
};

// Keywords whose item simply receives a figure.
struct KeywordFigure {
    std::string_view keyword;
    ClassFigure figure;
};
inline constexpr KeywordFigure kKeywordFigures[] = {
    {"URIAGEDAKA", ClassFigure::kSales},
    {"URIAGEGENKA", ClassFigure::kCostOfSales},
    {"URIAGESOURIEKI", ClassFigure::kGrossProfit},
    {"EIGYOUSONEKI", ClassFigure::kOperatingProfit},
    {"ZEIBIKIMAE", ClassFigure::kPreTaxProfit},
    {"SIHON", ClassFigure::kCapital},
    {"SISAN", ClassFigure::kAssets},
    {"FUSAI", ClassFigure::kLiabilities},
};

// Keywords whose item receives a figure less the items numbered within a
// range that stand before it: the assets or liabilities the other items
// do not show.
struct KeywordRemainder {
    std::string_view keyword;
    ClassFigure figure;
    int firstSummed;
    int lastSummed;
};
inline constexpr KeywordRemainder kKeywordRemainders[] = {
    {"SOREIGAI", ClassFigure::kAssets, 18, 24},
    {"SONOTAFUSAI", ClassFigure::kLiabilities, 26, 29},
};
