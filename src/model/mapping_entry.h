// One source of figures for a statement item: an account, named by its
// account id text, or a reserved keyword for a figure the aggregation
// computes itself.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// An account id text is "0x" and 32 hexadecimal digits; the field holds
// that and its terminator exactly.
constexpr std::size_t kAccountIdBytes = 34;
// Account ids compare as text over the whole field, terminator included.
constexpr std::size_t kAccountIdCompareBytes = kAccountIdBytes + 1;

inline constexpr std::array<std::string_view, 10> kReservedFigureKeywords = {
    "URIAGEDAKA", "URIAGEGENKA", "URIAGESOURIEKI", "EIGYOUSONEKI", "ZEIBIKIMAE",
    "SOREIGAI",   "SONOTAFUSAI", "SIHON",          "SISAN",        "FUSAI"};

// True when both ids are the same text within their first 35 bytes (a NUL
// ends a text, as in the record field).
bool SameAccountId(std::string_view a, std::string_view b);

// True when `accountId` is one of the reserved figure keywords, so that it
// never names an account.
bool IsReservedFigureKeyword(std::string_view accountId);

class MappingEntry {
  public:
    MappingEntry() = default;
    MappingEntry(std::int16_t item, const std::string& accountId);

    std::int16_t itemNo = 0;

    const std::string& accountId() const { return accountId_; }
    // Stored up to its first NUL and cut to 34 bytes at a character boundary.
    void SetAccountId(const std::string& accountId);

  private:
    std::string accountId_;
};
