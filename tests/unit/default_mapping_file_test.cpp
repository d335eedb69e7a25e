#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "model/account_lookup.h"
#include "model/default_mapping_file.h"
#include "model/mapping_entry.h"
#include "model/mapping_list.h"

namespace {

const std::string kSales = "0x000102030405060708090a0b0c0d0e0f";
const std::string kCash = "0xffeeddccbbaa99887766554433221100";

class FakeAccounts : public AccountLookup {
  public:
    std::map<std::int32_t, std::string> idOfCode = {{41100000, kSales}, {11100000, kCash}};
    std::vector<std::int32_t> asked;

    std::string AccountIdOfCode(std::int32_t code) override {
        asked.push_back(code);
        const auto found = idOfCode.find(code);
        return found == idOfCode.end() ? std::string() : found->second;
    }
};

std::string Section(const std::string& body) {
    return "[共通様式]\r\n" + body + "[終了]\r\n";
}

std::vector<std::string> IdsOf(const MappingList& list, int itemNo) {
    std::vector<std::string> ids;
    for (const MappingEntry& entry : list.EntriesOf(itemNo))
        ids.push_back(entry.accountId());
    return ids;
}

using Ids = std::vector<std::string>;

TEST(DefaultMappingFile, FrameFailuresLeaveTheListUntouched) {
    for (const std::string& bytes :
         {std::string("5/SISAN,\r\n[終了]\r\n"), std::string("[共通様式]\r\n5/SISAN,\r\n")}) {
        FakeAccounts accounts;
        MappingList mapping;
        mapping.Append(MappingEntry(1, "FUSAI"));
        EXPECT_EQ(LoadDefaultMapping(bytes, accounts, mapping), 0);
        EXPECT_EQ(IdsOf(mapping, 1), Ids{"FUSAI"});
        EXPECT_EQ(mapping.size(), 1u);
    }
}

TEST(DefaultMappingFile, SourcesEndWithTheirComma) {
    FakeAccounts accounts;
    MappingList mapping;
    mapping.Append(MappingEntry(1, "FUSAI"));
    ASSERT_EQ(LoadDefaultMapping("before\r\n" +
                                     Section("5/1110,1120,SISAN,\r\n"
                                             "6/4110,9999,\r\n"
                                             "7/4110\r\n"
                                             "8/,\r\n"
                                             "9/41100000,4110,4110,\r\n"
                                             "10/" +
                                             kCash +
                                             ",URIAGEDAKA,\r\n"
                                             "11/4110,") +
                                     "12/4110,\r\n",
                                 accounts, mapping),
              1);
    EXPECT_EQ(IdsOf(mapping, 1), Ids{}) << "cleared first";
    EXPECT_EQ(IdsOf(mapping, 5), (Ids{kCash, "SISAN"})) << "code 1120 is not in the dataset";
    EXPECT_EQ(IdsOf(mapping, 6), Ids{kSales});
    EXPECT_EQ(IdsOf(mapping, 7), Ids{}) << "a source without its own ',' is not read";
    EXPECT_EQ(IdsOf(mapping, 8), Ids{""});
    EXPECT_EQ(IdsOf(mapping, 9), (Ids{kSales, kSales, kSales}));
    EXPECT_EQ(IdsOf(mapping, 10), (Ids{kCash, "URIAGEDAKA"})) << "texts are not looked up";
    EXPECT_EQ(mapping.size(), 9u) << "nothing from the line cut by the terminator or after it";
    EXPECT_EQ(accounts.asked, (std::vector<std::int32_t>{11100000, 11200000, 41100000, 99990000,
                                                         41100000, 41100000, 41100000}));

    accounts.idOfCode[99990000] = kCash;
    ASSERT_EQ(LoadDefaultMapping(Section("5/4110,9999,\r\n"), accounts, mapping), 1);
    EXPECT_EQ(IdsOf(mapping, 5), (Ids{kSales, kCash}));
}

TEST(DefaultMappingFile, CodesThatNameNoAccountAreNotLookedUp) {
    FakeAccounts accounts;
    MappingList mapping;
    ASSERT_EQ(
        LoadDefaultMapping(Section("5/-4110,-214749,99999999999,300000,\r\n"), accounts, mapping),
        1);
    EXPECT_TRUE(mapping.empty());
    EXPECT_EQ(accounts.asked, (std::vector<std::int32_t>{INT32_MAX, 300000}))
        << "codes of 10000 and more are taken as they are";
}

TEST(DefaultMappingFile, LinesBeyondTheBoundsAreSkippedWhole) {
    FakeAccounts accounts;
    MappingList mapping;
    const std::string text34(34, 'T');
    // 255 bytes with the line end, and one more.
    const std::string fill(255 - std::string("4/SISAN,\r\n").size(), ' ');
    const std::string lines[] = {
        "1 SISAN,",                 // no "/"
        "2/4110," + text34 + "x,",  // a text too long for an account id
        "3/" + text34 + ",",
        "4/SISAN," + fill,
        "5/SISAN," + fill + "x",
        "6/FUSAI,",
    };
    std::string body;
    for (const std::string& line : lines)
        body += line + "\r\n";
    ASSERT_EQ(LoadDefaultMapping(Section(body), accounts, mapping), 1);
    EXPECT_EQ(mapping.size(), 3u);
    EXPECT_EQ(IdsOf(mapping, 3), Ids{text34});
    EXPECT_EQ(IdsOf(mapping, 4), Ids{"SISAN"});
    EXPECT_EQ(IdsOf(mapping, 6), Ids{"FUSAI"});
    EXPECT_TRUE(accounts.asked.empty()) << "the rejected line's code is not looked up either";
}

}  // namespace
