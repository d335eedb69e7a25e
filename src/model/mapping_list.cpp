#include "model/mapping_list.h"

#include <algorithm>
#include <cstdint>
#include <new>
#include <string>
#include <vector>

#include "model/mapping_entry.h"

bool MappingList::Append(const MappingEntry& entry) {
    try {
        entries_.push_back(entry);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

std::vector<MappingEntry> MappingList::EntriesOf(int itemNo) const {
    std::vector<MappingEntry> found;
    for (const MappingEntry& entry : entries_) {
        if (entry.itemNo == itemNo) found.push_back(entry);
    }
    return found;
}

void MappingList::RemoveEntriesOf(int itemNo) {
    entries_.erase(std::remove_if(entries_.begin(), entries_.end(),
                                  [itemNo](const MappingEntry& e) { return e.itemNo == itemNo; }),
                   entries_.end());
}

bool MappingList::ReplaceSources(std::int16_t itemNo, const std::vector<std::string>& accountIds) {
    RemoveEntriesOf(itemNo);
    for (const std::string& accountId : accountIds) {
        if (!Append(MappingEntry(itemNo, accountId))) return false;
    }
    return true;
}

int SeedCurrentMapping(const MappingList& defaultMapping, MappingList& currentMapping) {
    // Clearing first would otherwise empty a list seeded from itself.
    if (&defaultMapping == &currentMapping) return 1;
    currentMapping.Clear();
    for (const MappingEntry& entry : defaultMapping) {
        if (!currentMapping.Append(entry)) return 0;
    }
    return 1;
}
