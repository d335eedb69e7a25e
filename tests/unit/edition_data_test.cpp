// The data files that ship with each edition, loaded as the program loads
// them and resolved against the sample company's chart of accounts.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <fstream>
#include <iterator>
#include <set>

#include "host/host_link.h"
#include "hostsim/host_session.h"
#include "model/default_mapping_file.h"
#include "model/item_definition_file.h"
#include "ui/mapping/host_account_lookup.h"

namespace {

const std::string kSourceDir = LDG_SOURCE_DIR;

// Remembers every code the loader could not resolve.
class CheckingLookup : public AccountLookup {
  public:
    std::string AccountIdOfCode(std::int32_t code) override {
        std::string id = accounts_.AccountIdOfCode(code);
        if (id.empty()) unresolved.push_back(code);
        return id;
    }
    std::vector<std::int32_t> unresolved;

  private:
    HostAccountLookup accounts_;
};

class EditionData : public ::testing::TestWithParam<const char*> {
  protected:
    void SetUp() override {
        hostsim::ResetSession();
        const std::string state = kSourceDir + "/samples/sample-company.json";
        setenv("LDG_HOST_STATE", state.c_str(), 1);
        ASSERT_EQ(ClHostLink::Instance()->Connect(), 0);
    }
    void TearDown() override {
        hostsim::ResetSession();
        unsetenv("LDG_HOST_STATE");
    }
    std::string EditionFile(const char* suffix) const {
        std::ifstream in(kSourceDir + "/editions/" + GetParam() + suffix, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
};

TEST_P(EditionData, EveryItemFromOneToFortyThreeIsDefinedOnce) {
    ItemCatalogue items;
    ASSERT_EQ(LoadItemDefinitions(EditionFile("_GaiKmk.dat"), items), 1);
    std::multiset<int> numbers;
    for (const StatementItem& item : items)
        numbers.insert(item.itemNo);
    for (int no = 1; no <= 43; ++no)
        EXPECT_EQ(numbers.count(no), 1u) << "item " << no;
    EXPECT_EQ(items.size(), 43u);
    for (const StatementItem& item : items) {
        EXPECT_FALSE(item.name().empty()) << "item " << item.itemNo;
        EXPECT_FALSE(item.key().empty()) << "item " << item.itemNo;
    }
}

TEST_P(EditionData, EveryDefaultSourceResolvesInTheSampleChart) {
    CheckingLookup accounts;
    MappingList defaults;
    ASSERT_EQ(LoadDefaultMapping(EditionFile("_DefKmk.dat"), accounts, defaults), 1);
    EXPECT_TRUE(accounts.unresolved.empty())
        << "first unknown account code: " << accounts.unresolved.front();
    EXPECT_FALSE(defaults.empty());
    std::set<int> itemsWithSources;
    for (const MappingEntry& entry : defaults) {
        EXPECT_GE(entry.itemNo, 1);
        EXPECT_LE(entry.itemNo, 43);
        itemsWithSources.insert(entry.itemNo);
    }
    EXPECT_EQ(itemsWithSources.count(1), 1u) << "sales must have a default source";
}

INSTANTIATE_TEST_SUITE_P(Editions, EditionData,
                         ::testing::Values("LdgSel18ToQb16_G", "LdgAdv18ToQb16_G",
                                           "LdgBas18ToQb16_G"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                             return std::string(info.param).substr(3, 3);
                         });

}  // namespace
