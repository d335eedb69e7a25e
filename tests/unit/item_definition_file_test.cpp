#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "model/item_catalogue.h"
#include "model/item_definition_file.h"
#include "model/statement_item.h"
#include "tests/unit/fakes/memory_file_system.h"

namespace {

std::string Section(const std::string& body) {
    return "[共通様式]\r\n" + body + "[終了]\r\n";
}

// A catalogue that a failed load must leave as it is.
ItemCatalogue Prefilled() {
    ItemCatalogue catalogue;
    StatementItem item;
    item.itemNo = 99;
    item.SetName("old");
    catalogue.Append(item);
    return catalogue;
}

bool Untouched(const ItemCatalogue& catalogue) {
    return catalogue.size() == 1 && catalogue.FindItem(99) != nullptr;
}

TEST(ItemDefinitionFile, FrameFailuresLeaveTheCatalogueUntouched) {
    for (const std::string& bytes :
         {std::string("1/0/0/N/K;\r\n[終了]\r\n"), std::string("[共通様式]\r\n1/0/0/N/K;\r\n"),
          std::string("[終了]\r\n[共通様式]\r\n1/0/0/N/K;\r\n"),
          std::string("[共通様式X]\r\n1/0/0/N/K;\r\n[終了]"), std::string()}) {
        ItemCatalogue catalogue = Prefilled();
        EXPECT_EQ(LoadItemDefinitions(bytes, catalogue), 0) << bytes;
        EXPECT_TRUE(Untouched(catalogue)) << bytes;
    }
}

TEST(ItemDefinitionFile, OnlyTheBodyOfTheFirstHeaderIsRead) {
    ItemCatalogue catalogue = Prefilled();
    const std::string bytes = "[他]\r\n7/0/0/X/X;\r\n[終了]\r\n" + Section("1/0/0/A/KA;\r\n") +
                              "8/0/0/Y/Y;\r\n" + Section("2/0/0/B/KB;\r\n");
    ASSERT_EQ(LoadItemDefinitions(bytes, catalogue), 1);
    ASSERT_EQ(catalogue.size(), 1u);
    EXPECT_EQ(catalogue.begin()->name(), "A");

    for (const std::string& empty :
         {Section(""), std::string("[共通様式]\n[終了]"), std::string("[共通様式][終了]")}) {
        catalogue = Prefilled();
        EXPECT_EQ(LoadItemDefinitions(empty, catalogue), 1) << empty;
        EXPECT_TRUE(catalogue.empty()) << empty;
    }
}

TEST(ItemDefinitionFile, FieldsOfItemLines) {
    ItemCatalogue catalogue;
    ASSERT_EQ(LoadItemDefinitions(Section("2/1/10+11+12/ABC/DEF;\r\n"
                                          "36/0/0/-/-;\r\n"
                                          "3/0/1A+0x2b/ 売上 高 /A-B; rest/;\r\n"
                                          "3/1/ff/second/K/L;\r\n"
                                          "5/0/0/last/L;"),
                                  catalogue),
              1);
    ASSERT_EQ(catalogue.size(), 4u) << "a last line without its line end is lost";
    const StatementItem& first = *catalogue.begin();
    EXPECT_EQ(first.itemNo, 2);
    EXPECT_EQ(first.side, 1);
    EXPECT_EQ(first.classCodes, (std::array<std::uint32_t, 10>{0x10, 0x11, 0x12}));
    EXPECT_EQ(first.name(), "ABC");
    EXPECT_EQ(first.key(), "DEF");

    const StatementItem& unused = *(catalogue.begin() + 1);
    EXPECT_TRUE(unused.IsUnusedSlot());
    EXPECT_EQ(unused.key(), "-");
    EXPECT_EQ(unused.classCodes, (std::array<std::uint32_t, 10>{}));

    const StatementItem& third = *(catalogue.begin() + 2);
    EXPECT_EQ(third.classCodes[0], 0x1Au);
    EXPECT_EQ(third.classCodes[1], 0x2Bu);
    EXPECT_EQ(third.classCodes[2], 0u);
    EXPECT_EQ(third.name(), " 売上 高 ") << "blanks and double-byte text kept as they are";
    EXPECT_EQ(third.key(), "A-B");
    EXPECT_EQ((catalogue.begin() + 3)->key(), "K/L") << "the key runs to the first ';'";
    EXPECT_EQ(catalogue.FindItem(3)->name(), " 売上 高 ") << "both items numbered 3 are kept";
}

TEST(ItemDefinitionFile, LinesBeyondTheRecordsBoundsAreSkipped) {
    const std::string name30(30, 'n');
    const std::string key50(50, 'k');
    // Line 10 has exactly 255 bytes with its line end, line 11 one more.
    const std::string padding(255 - std::string("10/0/0/N/K;\r\n").size(), ' ');
    const std::string lines[] = {
        "1/0/0/N/K",  // no ";"
        "2/0/0/N;K",  // three "/"
        "3/0/0/N/K",  // ";" on the next line
        ";",
        "4/0/1+2+3+4+5+6+7+8+9+a+b/N/K;",
        "5/0/1+2+3+4+5+6+7+8+9+a/N/K;",
        "6/0/0/" + name30 + "x/K;",
        "7/0/0/" + name30 + "/K;",
        "8/0/0/N/" + key50 + "x;",
        "9/0/0/N/" + key50 + ";",
        "10/0/0/N/K;" + padding,
        "11/0/0/N/K;" + padding + "x",
        "12/0/0/N/K;",
    };
    std::string body;
    for (const std::string& line : lines)
        body += line + "\r\n";
    ItemCatalogue catalogue;
    ASSERT_EQ(LoadItemDefinitions(Section(body), catalogue), 1);
    std::string numbers;
    for (const StatementItem& item : catalogue)
        numbers += std::to_string(item.itemNo) + " ";
    EXPECT_EQ(numbers, "5 7 9 10 12 ");
    EXPECT_EQ(catalogue.FindItem(5)->classCodes[9], 0xAu);
    EXPECT_EQ(catalogue.FindItem(7)->name(), name30);
    EXPECT_EQ(catalogue.FindItem(9)->key(), key50);
}

TEST(ItemDefinitionFile, SectionsOfMoreThan32767BytesFail) {
    const std::string header = "[共通様式]";
    const std::string line = "1/0/0/N/K;\r\n";
    auto sectionOf = [&](std::size_t length) {
        std::string body = header + "\r\n" + line;
        body += std::string(length - body.size(), '\n');
        return body + "[終了]";
    };
    ItemCatalogue catalogue = Prefilled();
    EXPECT_EQ(LoadItemDefinitions(sectionOf(32768), catalogue), 0);
    EXPECT_TRUE(Untouched(catalogue));
    EXPECT_EQ(LoadItemDefinitions(sectionOf(32767), catalogue), 1);
    EXPECT_EQ(catalogue.size(), 1u);
}

TEST(ItemDefinitionFile, ReadsTheFileThroughTheFileSystem) {
    MemoryFileSystem files;
    files.files["items.dat"] = Section("1/0/0/N/K;\r\n");
    ItemCatalogue catalogue;
    EXPECT_EQ(LoadItemDefinitionFile(files, "items.dat", catalogue), 1);
    EXPECT_EQ(catalogue.size(), 1u);

    catalogue = Prefilled();
    EXPECT_EQ(LoadItemDefinitionFile(files, "missing.dat", catalogue), 0);
    EXPECT_TRUE(Untouched(catalogue));
}

}  // namespace
