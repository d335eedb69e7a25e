// The account mapping: which sources feed which statement item. The program
// keeps two of these lists, the current mapping and the edition's defaults.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "model/mapping_entry.h"

// Entries are held by value: the list owns them, removing an entry destroys
// it and Clear destroys all, and no two lists ever share an entry.
class MappingList {
  public:
    // Appends at the end; false (and nothing added) when memory runs out.
    bool Append(const MappingEntry& entry);
    void Clear() { entries_.clear(); }

    // The entries of one item in list order.
    std::vector<MappingEntry> EntriesOf(int itemNo) const;

    // Removes every entry of the item; entries of other items keep their order.
    void RemoveEntriesOf(int itemNo);
    // Replaces the item's sources by `accountIds`, appended in that order at
    // the end. False when memory runs out; the sources added so far stay.
    bool ReplaceSources(std::int16_t itemNo, const std::vector<std::string>& accountIds);

    std::size_t size() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }
    std::vector<MappingEntry>::const_iterator begin() const { return entries_.begin(); }
    std::vector<MappingEntry>::const_iterator end() const { return entries_.end(); }

  private:
    std::vector<MappingEntry> entries_;
};

// Used when no saved conditions were loaded: `currentMapping` becomes a copy
// of `defaultMapping`, entry by entry, duplicates included. 1 on success,
// 0 when memory runs out (the entries copied so far stay).
int SeedCurrentMapping(const MappingList& defaultMapping, MappingList& currentMapping);
