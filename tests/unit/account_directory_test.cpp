// The account directory's look-ups, listings and filters over the open
// dataset's account table, the id text and the displayed name.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "model/account_directory.h"
#include "model/account_filters.h"
#include "tests/unit/fakes/fake_host.h"

namespace {

// In the order the host delivers them; the names say what each tests.
const char kAccounts[] =
    u8R"(
  "datasets": [{"id": "DS1", "no": 1, "periodStart": 20250401, "periodEnd": 20260331,
    "accounts": [
      {"id": "000102030405060708090a0b0c0d0e0f", "code": 11100000, "class": 1},
      {"id": "a1000000000000000000000000000001", "code": 11100001, "class": 1, "name": "sub"},
      {"id": "a2000000000000000000000000000002", "code": 41100000, "class": 2, "flag110": 1},
      {"id": "a3000000000000000000000000000003", "code": 42100000, "class": 2, "flag110": 2},
      {"id": "a4000000000000000000000000000004", "code": 43100000, "class": 2, "flag112": 1},
      {"id": "a5000000000000000000000000000005", "code": 71100000, "class": 3, "flag112": 3},
      {"id": "a6000000000000000000000000000006", "code": 71100000, "class": 3},
      {"id": "a7000000000000000000000000000007", "code": 0, "class": 3}
    ]}])";

class AccountLookups : public ::testing::Test {
  protected:
    void SetUp() override { host_.Load(kAccounts); }
    std::int32_t CodeOfId(const std::string& id) { return accounts_.FindById(id, nullptr); }
    std::vector<std::int32_t> Matches(const AccountFilter& filter) {
        std::vector<std::int32_t> codes;
        host_.WalkAccounts(&filter, [&codes](const AccountRecord& record) {
            codes.push_back(record.Code());
            return true;
        });
        return codes;
    }
    static std::vector<std::int32_t> CodesOf(const std::vector<AccountRecord>& records) {
        std::vector<std::int32_t> codes;
        codes.reserve(records.size());
        for (const AccountRecord& record : records)
            codes.push_back(record.Code());
        return codes;
    }

    FakeHost host_;
    AccountDirectory accounts_{host_};
};

using Codes = std::vector<std::int32_t>;

TEST_F(AccountLookups, FiltersAndListingsSelectTheirAccountsInTableOrder) {
    EXPECT_EQ(Matches(ClassAccountFilter({3, 1})),
              (Codes{11100000, 11100001, 71100000, 71100000, 0}));
    EXPECT_EQ(Matches(AllAccountsFilter()).size(), 7u) << "every account but code 0";
    EXPECT_EQ(Matches(AccountCodeFilter(42100000)), Codes{42100000});
    // Listings keep the main accounts without flags only.
    const std::array<std::uint32_t, kClassCodeSlots> classes{3, 1};
    EXPECT_EQ(CodesOf(accounts_.ListAccounts(&classes)), (Codes{11100000, 71100000}));
    EXPECT_EQ(CodesOf(accounts_.ListAccounts(nullptr)), (Codes{11100000, 71100000}));
    EXPECT_EQ(CodesOf(accounts_.AllListedAccounts()), (Codes{11100000, 71100000}));
}

TEST_F(AccountLookups, ByCodeFindsOnlyListedMainAccountsAndMultipliesDisplayedCodes) {
    EXPECT_EQ(accounts_.AccountIdOfCode(1110), "0x000102030405060708090a0b0c0d0e0f");
    EXPECT_EQ(accounts_.AccountIdOfCode(11100000), "0x000102030405060708090a0b0c0d0e0f");
    EXPECT_EQ(accounts_.AccountIdOfCode(11100001), "") << "sub-account";
    EXPECT_EQ(accounts_.AccountIdOfCode(4110), "") << "flag byte 110";
    EXPECT_EQ(accounts_.AccountIdOfCode(4310), "") << "flag byte 112";
    EXPECT_EQ(accounts_.AccountIdOfCode(7110), "0xa6000000000000000000000000000006")
        << "a flagged account with the same code comes first";
    EXPECT_EQ(accounts_.AccountIdOfCode(0), "");
    EXPECT_EQ(AccountDirectory::FullAccountCode(INT32_MIN), INT32_MIN) << "no overflow";
    AccountRecord record;
    EXPECT_TRUE(accounts_.FindByCode(7110, &record));
    EXPECT_EQ(record.Flag112(), 0);
}

TEST_F(AccountLookups, ByIdSkipsFlagOneOfByte110Only) {
    AccountRecord record;
    EXPECT_EQ(accounts_.FindById("0x000102030405060708090a0b0c0d0e0f", &record), 11100000);
    EXPECT_EQ(AccountDirectory::FormatAccountId(record), "0x000102030405060708090a0b0c0d0e0f");
    EXPECT_EQ(CodeOfId("0xa2000000000000000000000000000002"), -1) << "flag byte 110 is 1";
    EXPECT_EQ(CodeOfId("0xa3000000000000000000000000000003"), 42100000) << "flag 110 is 2";
    EXPECT_EQ(CodeOfId("0xa5000000000000000000000000000005"), 71100000) << "112 not read";
    EXPECT_EQ(CodeOfId("0xa1000000000000000000000000000001"), -1) << "sub-account";
    EXPECT_EQ(CodeOfId("0xa7000000000000000000000000000007"), -1) << "code 0";
    EXPECT_EQ(CodeOfId("0x000102030405060708090A0B0C0D0E0F"), -1) << "upper case";
    EXPECT_EQ(CodeOfId(std::string("0x000102030405060708090a0b0c0d0e0f\0x", 36)), 11100000);
}

TEST_F(AccountLookups, TheTableIsReadOnceForAllLookUps) {
    accounts_.AccountIdOfCode(1110);
    CodeOfId("0xa6000000000000000000000000000006");
    accounts_.AllListedAccounts();
    EXPECT_EQ(host_.accountWalks, 1);
}

TEST(AccountIdText, TwoLowerCaseDigitsPerByteHighNibbleFirst) {
    std::uint8_t id[16];
    for (int i = 0; i < 16; ++i)
        id[i] = static_cast<std::uint8_t>(i);
    EXPECT_EQ(AccountDirectory::FormatAccountId(id), "0x000102030405060708090a0b0c0d0e0f");
    for (int i = 0; i < 16; ++i)
        id[i] = static_cast<std::uint8_t>(0xF0 - 0x10 * i + i);
    EXPECT_EQ(AccountDirectory::FormatAccountId(id), "0xf0e1d2c3b4a5968778695a4b3c2d1e0f");
}

TEST(AccountName, CutAtACharacterBoundaryWithoutTrailingBlanks) {
    const auto trim = AccountDirectory::TrimAccountName;
    const std::string a48(48, 'a');
    EXPECT_EQ(trim(a48 + "現金"), a48 + "現") << "the character ends at byte 50";
    EXPECT_EQ(trim(a48 + "a現金"), a48 + "a") << "the character would cross byte 50";
    EXPECT_EQ(trim(std::string(49, 'c') + " d"), std::string(49, 'c'));
    EXPECT_EQ(trim(" 現　金 　 "), " 現　金");
    // One character 0x8A 0x81, then '@': no full-width blank 0x81 0x40.
    EXPECT_EQ(trim("\x8A\x81@"), "\x8A\x81@");
}

}  // namespace
