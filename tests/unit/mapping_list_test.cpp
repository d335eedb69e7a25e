#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/mapping_list.h"

namespace {

const std::string kAccountA = "0x000102030405060708090a0b0c0d0e0f";
const std::string kAccountB = "0xffeeddccbbaa99887766554433221100";

std::vector<std::string> Sources(const MappingList& list, int itemNo) {
    std::vector<std::string> ids;
    for (const MappingEntry& entry : list.EntriesOf(itemNo))
        ids.push_back(entry.accountId());
    return ids;
}

std::vector<int> ItemOrder(const MappingList& list) {
    std::vector<int> order;
    for (const MappingEntry& entry : list)
        order.push_back(entry.itemNo);
    return order;
}

TEST(MappingList, ReplaceSourcesDropsKeywordsAndKeepsOtherItemsInPlace) {
    MappingList list;
    list.Append(MappingEntry(2, kAccountB));
    list.Append(MappingEntry(1, kAccountA));
    list.Append(MappingEntry(2, "URIAGEGENKA"));
    list.Append(MappingEntry(3, kAccountB));
    list.Append(MappingEntry(2, kAccountA));
    EXPECT_EQ(Sources(list, 2), (std::vector<std::string>{kAccountB, "URIAGEGENKA", kAccountA}));

    ASSERT_TRUE(list.ReplaceSources(2, {kAccountA}));
    EXPECT_EQ(ItemOrder(list), (std::vector<int>{1, 3, 2}));
    EXPECT_EQ(Sources(list, 2), (std::vector<std::string>{kAccountA}));
}

TEST(SeedCurrentMapping, CopiesTheDefaultsEntryByEntryIncludingDuplicates) {
    MappingList defaults;
    defaults.Append(MappingEntry(5, kAccountA));
    defaults.Append(MappingEntry(1, "SISAN"));
    defaults.Append(MappingEntry(5, kAccountA));
    MappingList current;
    current.Append(MappingEntry(9, kAccountB));

    ASSERT_EQ(SeedCurrentMapping(defaults, current), 1);
    EXPECT_EQ(ItemOrder(current), (std::vector<int>{5, 1, 5})) << "earlier entries are cleared";
    EXPECT_EQ(Sources(current, 5), (std::vector<std::string>{kAccountA, kAccountA}));

    ASSERT_EQ(SeedCurrentMapping(MappingList(), current), 1);
    EXPECT_TRUE(current.empty()) << "no defaults, no sources";
    ASSERT_EQ(SeedCurrentMapping(defaults, defaults), 1);
    EXPECT_EQ(defaults.size(), 3u) << "seeding a list from itself keeps it";
}

}  // namespace
