#include "model/mapping_entry.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "model/record_text.h"

namespace {

std::string_view AsFieldText(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    return text.substr(0, kAccountIdCompareBytes);
}

}  // namespace

bool SameAccountId(std::string_view a, std::string_view b) {
    return AsFieldText(a) == AsFieldText(b);
}

bool IsReservedFigureKeyword(std::string_view accountId) {
    return std::any_of(
        kReservedFigureKeywords.begin(), kReservedFigureKeywords.end(),
        [accountId](std::string_view keyword) { return SameAccountId(accountId, keyword); });
}

MappingEntry::MappingEntry(std::int16_t item, const std::string& accountId) : itemNo(item) {
    SetAccountId(accountId);
}

void MappingEntry::SetAccountId(const std::string& accountId) {
    accountId_ = BoundedRecordText(accountId, kAccountIdBytes);
}
