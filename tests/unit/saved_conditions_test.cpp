#include "model/saved_conditions_file.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/unit/fakes/memory_file_system.h"

namespace {

std::string Entries(const MappingList& list) {
    std::string text;
    for (const MappingEntry& e : list)
        text += std::to_string(e.itemNo) + "=" + e.accountId() + ";";
    return text;
}

}  // namespace

TEST(SavedConditions, SavesWhatItLoadedKeepingTheUsersPathOverAPreset) {
    MemoryFileSystem fs;
    fs.folders = {"C:", "C:\\cond"};
    const std::string path = "C:\\cond\\QB16_G_admin_1_12.env";
    fs.files[path] =
        "[P1]\n9/1/7/D:\\mine.xml\n[終了]\n[P2/P3]\n"
        "21/0x00112233445566778899aabbccddeeff[END]\n36/URIAGEDAKA[END]\n[終了]\n";
    AggregationConditions c;
    c.userId = "admin", c.selectionFirst = 1, c.selectionSecond = 12;
    c.outputPath = "E:\\preset.xml", c.pathFixed = 1, c.savedPath = "stale";
    MappingList mapping;
    ASSERT_EQ(LoadSavedConditions(fs, "C:\\cond\\", c, mapping), 1);
    EXPECT_EQ(c.outputPath, "E:\\preset.xml");
    std::string expected = fs.files[path];
    EXPECT_EQ(SaveSavedConditions(fs, "C:\\cond\\", nullptr, c, mapping),
              SaveConditionsResult::kWritten);
    EXPECT_EQ(fs.files[path], expected.replace(expected.find("/7/"), 3, "/0/"));

    fs.replaceFails = true;
    c.endMonth = 3;
    EXPECT_EQ(SaveSavedConditions(fs, "C:\\cond\\", nullptr, c, mapping),
              SaveConditionsResult::kWriteFailed);
    EXPECT_EQ(fs.files[path], expected);

    fs.folders.clear();
    const auto cannotCreate = [](const std::string&) { return false; };
    EXPECT_EQ(SaveSavedConditions(fs, "C:\\cond\\", cannotCreate, c, mapping),
              SaveConditionsResult::kNoFolder);
}

TEST(SavedConditions, DamagedFiles) {
    AggregationConditions c;
    MappingList mapping;
    mapping.Append(MappingEntry(1, "kept"));
    // No mapping section: the conditions stay, the mapping is left for the defaults.
    EXPECT_EQ(ParseSavedConditions("[P1]\n3/1/0/\n[終了]\n", c, mapping), 0);
    EXPECT_EQ(c.endMonth * 10 + c.taxInclusive, 31);
    EXPECT_EQ(c.savedPath, "");
    EXPECT_EQ(Entries(mapping), "1=kept;");

    const std::string id60(60, 'a');
    const std::string crLf = "[P1]\r\n4/2/0/C:\\a[P2/P3]\\b.xml\r\n[終了]\r\n[P2/P3]\r\n5/" + id60 +
                             "[END]\r\nno slash[END]\r\n6/no end\r\n7/URIAGEDAKA[END]\r\n"
                             "[終了]\r\n8/after[END]\r\n";
    ASSERT_EQ(ParseSavedConditions(crLf, c, mapping), 1);
    EXPECT_EQ(c.taxInclusive, 1);
    EXPECT_EQ(c.savedPath, "C:\\a[P2/P3]\\b.xml");
    EXPECT_EQ(Entries(mapping), "5=" + id60.substr(0, 34) + ";7=URIAGEDAKA;");

    // An empty mapping section is the user's choice, not a damage.
    EXPECT_EQ(ParseSavedConditions("[P1]\n9/0/0/x\n[終了]\n[P2/P3]\n[終了]\n", c, mapping), 1);
    EXPECT_TRUE(mapping.empty());
}
