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
    ASSERT_EQ(LoadSavedConditions(fs, "C:\\cond\\", c, mapping), LoadConditionsResult::kLoaded);
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

TEST(SavedConditions, APathThatWouldNotReadBackIsNotSavedRatherThanCut) {
    AggregationConditions c;
    MappingList mapping;
    for (const std::string& path : {std::string("C:\\a\nb.xml"), "C:\\" + std::string(258, 'p')}) {
        c.outputPath = path;
        EXPECT_NE(FormatSavedConditions(c, mapping).find("\n0/0/0/\n"), std::string::npos);
    }
    c.outputPath = "C:\\" + std::string(257, 'p');  // 260 bytes
    EXPECT_NE(FormatSavedConditions(c, mapping).find(c.outputPath + "\n"), std::string::npos);
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

TEST(SavedConditions, UserIdsThatCannotStandInTheFileName) {
    // "ソ" and "ポ" end in the bytes of a backslash and a vertical bar.
    for (const char* safe : {"admin", "", "山田ソ", "ポ", "a.b", "...", "a b"}) {
        EXPECT_TRUE(IsSafeUserId(safe)) << safe;
    }
    for (const char* unsafe : {"a:b", "..", ".", "x\\..\\y", "a/b", "a*", "a?", "a\"b", "a<b",
                               "a>b", "a|b", "a\tb", "\x1f"}) {
        EXPECT_FALSE(IsSafeUserId(unsafe)) << unsafe;
    }
    MemoryFileSystem fs;
    fs.folders = {"C:", "C:\\cond"};
    AggregationConditions c;
    c.userId = "..\\x";
    MappingList mapping;
    fs.files["C:\\cond\\QB16_G_..\\x_0_0.env"] = "[P1]\n9/0/0/\n[終了]\n[P2/P3]\n[終了]\n";
    EXPECT_EQ(LoadSavedConditions(fs, "C:\\cond\\", c, mapping), LoadConditionsResult::kNotLoaded);
    EXPECT_EQ(SaveSavedConditions(fs, "C:\\cond\\", nullptr, c, mapping),
              SaveConditionsResult::kUnsafeUserId);
    EXPECT_EQ(fs.files.size(), 1u);
}

TEST(SavedConditions, AFileThatIsThereButCannotBeReadIsNotTakenForNone) {
    MemoryFileSystem fs;
    AggregationConditions c;
    c.userId = "admin", c.selectionFirst = 1, c.selectionSecond = 12;
    MappingList mapping;
    EXPECT_EQ(LoadSavedConditions(fs, "C:\\cond\\", c, mapping), LoadConditionsResult::kNotLoaded);
    fs.files["C:\\cond\\QB16_G_admin_1_12.env"] = "[P1]\n9/0/0/\n[終了]\n[P2/P3]\n[終了]\n";
    fs.unreadable.insert("C:\\cond\\QB16_G_admin_1_12.env");
    EXPECT_EQ(LoadSavedConditions(fs, "C:\\cond\\", c, mapping), LoadConditionsResult::kUnreadable);
    EXPECT_EQ(c.endMonth, 0);
}
