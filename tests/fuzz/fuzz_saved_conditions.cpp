// Any bytes as a saved conditions file: nothing read beyond its bounds, and
// whatever loads is saved and loaded again unchanged. The first line also
// serves as a user id: one taken as safe names one file inside the folder.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "model/aggregation_conditions.h"
#include "model/mapping_entry.h"
#include "model/mapping_list.h"
#include "model/saved_conditions_file.h"
#include "model/shift_jis_text.h"

namespace {

bool SameMapping(const MappingList& a, const MappingList& b) {
    if (a.size() != b.size()) return false;
    auto other = b.begin();
    for (const MappingEntry& entry : a) {
        if (entry.itemNo != other->itemNo || entry.accountId() != other->accountId()) return false;
        ++other;
    }
    return true;
}

}  // namespace

// A file name that stays one name in its folder: no separator, stream or
// wildcard outside a double-byte character, no control character.
bool IsOneNameInItsFolder(const std::string& name) {
    for (std::size_t i = 0; i < name.size();) {
        const std::size_t width = CharacterWidthAt(name, i);
        const auto byte = static_cast<unsigned char>(name[i]);
        if (width == 1 && (byte < 0x20 || std::string_view("\\/:*?\"<>|").find(name[i]) !=
                                              std::string_view::npos)) {
            return false;
        }
        i += width;
    }
    return name != "." && name != "..";
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    AggregationConditions named;
    named.userId = std::string(bytes.substr(0, std::min<std::size_t>(bytes.find('\n'), 64)));
    if (IsSafeUserId(named.userId) && !IsOneNameInItsFolder(SavedConditionsFileName(named))) {
        __builtin_trap();
    }

    AggregationConditions conditions;
    MappingList mapping;
    mapping.Append(MappingEntry(-1, "before"));
    const int loaded = ParseSavedConditions(bytes, conditions, mapping);
    if (conditions.savedPath.size() > 260 || conditions.outputPath != conditions.savedPath ||
        conditions.savedPath.find_first_of("\r\n") != std::string::npos ||
        (conditions.taxInclusive != 0 && conditions.taxInclusive != 1)) {
        __builtin_trap();
    }
    if (!loaded) {
        if (mapping.size() != 1 || mapping.begin()->itemNo != -1) __builtin_trap();
        return 0;
    }
    for (const MappingEntry& entry : mapping) {
        if (entry.accountId().size() > kAccountIdBytes) __builtin_trap();
    }

    AggregationConditions again;
    MappingList reloaded;
    if (ParseSavedConditions(FormatSavedConditions(conditions, mapping), again, reloaded) != 1 ||
        again.endMonth != conditions.endMonth || again.taxInclusive != conditions.taxInclusive ||
        again.savedPath != conditions.savedPath || !SameMapping(mapping, reloaded)) {
        __builtin_trap();
    }
    return 0;
}
