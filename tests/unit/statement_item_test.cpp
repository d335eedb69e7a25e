#include <gtest/gtest.h>

#include <string>

#include "model/item_catalogue.h"
#include "model/mapping_entry.h"
#include "model/statement_item.h"

namespace {

const std::string kAccountId = "0x000102030405060708090a0b0c0d0e0f";

TEST(StatementItem, TextsAreCutToTheirFieldsWithoutSplittingACharacter) {
    StatementItem item;
    item.SetName(std::string(29, 'a') + "売");
    EXPECT_EQ(item.name(), std::string(29, 'a')) << "the pair would end at byte 31";
    item.SetName(std::string(16, 'x') + "売上高売上高売上高");
    EXPECT_EQ(item.name(), std::string(16, 'x') + "売上高売上高売");
    item.SetKey(std::string(60, 'K'));
    EXPECT_EQ(item.key(), std::string(50, 'K'));
    item.SetKey(std::string("URIAGE\0DAKA", 11));
    EXPECT_EQ(item.key(), "URIAGE") << "a NUL ends the text as in the record";

    EXPECT_EQ(MappingEntry(1, kAccountId).accountId(), kAccountId);
    EXPECT_EQ(MappingEntry(1, kAccountId + "ff").accountId(), kAccountId);
}

TEST(StatementItem, UnusedSlotNeedsTheWholeNameDash) {
    StatementItem item;
    item.SetName("-");
    EXPECT_TRUE(item.IsUnusedSlot());
    item.SetName("-売上-");
    EXPECT_FALSE(item.IsUnusedSlot());
    item.SetKey("URIAGE-DAKA");
    EXPECT_FALSE(item.IsWrittenToXml()) << "a dash anywhere in the key";
}

TEST(ItemCatalogue, FindItemTakesTheFirstOfEqualNumbers) {
    ItemCatalogue catalogue;
    for (const char* name : {"first", "second"}) {
        StatementItem item;
        item.itemNo = 3;
        item.SetName(name);
        catalogue.Append(item);
    }
    ASSERT_NE(catalogue.FindItem(3), nullptr);
    EXPECT_EQ(catalogue.FindItem(3)->name(), "first");
    EXPECT_EQ(catalogue.FindItem(4), nullptr);
}

TEST(MappingEntry, AccountIdsCompareAsTextOverThirtyFiveBytes) {
    EXPECT_FALSE(SameAccountId("SISAN", "SISANX")) << "the terminator is compared too";
    EXPECT_TRUE(SameAccountId(std::string("SISAN\0junk", 10), "SISAN"));
    EXPECT_TRUE(SameAccountId(std::string(35, 'a') + "b", std::string(35, 'a') + "c"));
    EXPECT_FALSE(SameAccountId(std::string(34, 'a') + "b", std::string(34, 'a') + "c"));

    EXPECT_TRUE(IsReservedFigureKeyword("FUSAI"));
    EXPECT_FALSE(IsReservedFigureKeyword("fusai"));
    EXPECT_FALSE(IsReservedFigureKeyword("URIAGE"));
    EXPECT_FALSE(IsReservedFigureKeyword(kAccountId));
}

}  // namespace
