// The data files that ship with each edition, loaded as the program loads
// them and resolved against the sample company's chart of accounts.
#include <gtest/gtest.h>

#include <set>

#include "model/account_directory.h"
#include "model/default_mapping_file.h"
#include "model/item_definition_file.h"
#include "tests/unit/fakes/fake_host.h"
#include "tests/unit/fakes/source_file.h"

namespace {

// Remembers every code the loader could not resolve.
class CheckingLookup : public AccountLookup {
  public:
    explicit CheckingLookup(Host& host) : accounts_(host) {}
    std::string AccountIdOfCode(std::int32_t code) override {
        std::string id = accounts_.AccountIdOfCode(code);
        if (id.empty()) unresolved.push_back(code);
        return id;
    }
    std::vector<std::int32_t> unresolved;

  private:
    AccountDirectory accounts_;
};

class EditionData : public ::testing::TestWithParam<const char*> {
  protected:
    void SetUp() override { host.LoadText(SourceFile("samples/sample-company.json")); }
    std::string EditionFile(const char* suffix) const {
        return SourceFile(std::string("editions/") + GetParam() + suffix);
    }
    FakeHost host;
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
    CheckingLookup accounts(host);
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
