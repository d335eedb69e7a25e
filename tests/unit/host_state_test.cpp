#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "hostsim/host_state.h"
#include "hostsim/strict_json.h"

namespace {

using hostsim::HostState;
using hostsim::ParseHostState;
using hostsim::StateParseError;

TEST(HostStateFile, EmptyObjectGivesTheDocumentedDefaults) {
    HostState state;
    StateParseError error;
    ASSERT_EQ(ParseHostState("{}", state, error), hostsim::kStateOk);
    EXPECT_EQ(state.packageName, "帳簿丸１８");
    EXPECT_EQ(state.userId, "admin");
    EXPECT_EQ(state.selectionFirst, 1);
    EXPECT_EQ(state.selectionSecond, 1);
    EXPECT_EQ(state.outputFolder, "");
    EXPECT_EQ(state.results.nextRowFailAt, -1);
    EXPECT_EQ(state.results.nextRowFailCode, 1);
    EXPECT_EQ(state.results.nextRowCrashAt, -1);
    EXPECT_EQ(state.results.nextRowDelayMs, 0);
    EXPECT_EQ(state.results.signOutCrash, 0);
    EXPECT_FALSE(state.results.switchDatasetAtTotals.has_value());
    EXPECT_TRUE(state.datasets.empty());
    EXPECT_EQ(state.OpenDataset(), nullptr);
}

TEST(HostStateFile, TheSlowHostTheSecondFaultAndTheSwitchedDatasetAreRead) {
    HostState state;
    StateParseError error;
    ASSERT_EQ(ParseHostState(R"({"results": {"nextRowDelayMs": 250, "signOutCrash": 1,
                                             "switchDatasetAtTotals": 13}})",
                             state, error),
              hostsim::kStateOk);
    EXPECT_EQ(state.results.nextRowDelayMs, 250);
    EXPECT_EQ(state.results.signOutCrash, 1);
    EXPECT_EQ(state.results.switchDatasetAtTotals, 13);
}

TEST(HostStateFile, DatasetFieldsReachTheRecordsAsShiftJis) {
    HostState state;
    StateParseError error;
    const std::string json =
        u8R"({"user": {"selection": [1, 7]}, "datasets": [
        {"id": "DS7", "no": 7, "company": "株式会社見本商事", "periodStart": 20250101,
         "periodEnd": 20251231, "introMonth": 99, "netAssetsStyle": 1,
         "accounts": [{"id": "000102030405060708090A0B0C0D0E0F", "code": -3, "name": "現金",
                       "class": "0xFFFFFFFF", "flag112": 255}],
         "totals": [{"class": 4294967295, "debitInTax": [-9223372036854775808,0,0,0,0,0,0,0,0,0,0,0,0,0,1]}]}]})";
    ASSERT_EQ(ParseHostState(json, state, error), hostsim::kStateOk) << error.field << error.reason;
    const hostsim::DatasetEntry* dataset = state.OpenDataset();
    ASSERT_NE(dataset, nullptr);
    EXPECT_EQ(dataset->record.CompanyName(), "株式会社見本商事");  // compiled as Shift_JIS
    EXPECT_EQ(dataset->record.DatasetId(), "DS7");
    EXPECT_EQ(dataset->record.IntroMonth(), 99);
    EXPECT_EQ(dataset->record.NetAssetsStyle(), 1);
    const AccountRecord& account = dataset->accounts.at(0).record;
    EXPECT_EQ(account.Byte(15), 0x0F);
    EXPECT_EQ(account.Code(), -3);
    EXPECT_EQ(account.Name(), "現金");
    EXPECT_EQ(account.Flag112(), 255);
    EXPECT_EQ(dataset->accounts.at(0).classCode, 0xFFFFFFFFu);
    const AccountTotalsRecord& row = dataset->totals.at(0);
    EXPECT_EQ(row.ClassCode(), 0xFFFFFFFFu);
    EXPECT_EQ(row.Amount(AccountTotalsRecord::Column::kDebitInTax, 0), INT64_MIN);
    EXPECT_EQ(row.Amount(AccountTotalsRecord::Column::kDebitInTax, 14), 1);
    EXPECT_EQ(row.Byte(0), 0) << "a row without an account has a zero identifier";
}

struct MalformedCase {
    const char* json;
    const char* field;
};

class MalformedStateFile : public ::testing::TestWithParam<MalformedCase> {};

TEST_P(MalformedStateFile, IsRefusedNamingTheField) {
    HostState state;
    state.userId = "unchanged";
    StateParseError error;
    EXPECT_EQ(ParseHostState(GetParam().json, state, error), hostsim::kStateMalformed);
    EXPECT_EQ(error.field, GetParam().field) << error.reason;
    EXPECT_FALSE(error.reason.empty());
    EXPECT_EQ(state.userId, "unchanged") << "a refused file must not change the state";
}

constexpr const char* kDataset =
    R"("id": "D", "no": 1, "periodStart": 20250401, "periodEnd": 20260331)";

std::string WithDataset(const std::string& extra) {
    return std::string(R"({"datasets": [{)") + kDataset + extra + "}]}";
}

const std::string kBadId =
    WithDataset(R"(, "accounts": [{"id": "0011223344556677889900aabbccddeX"}])");
const std::string kShortId = WithDataset(R"(, "accounts": [{"id": "00112233"}])");
const std::string kBadClass = WithDataset(
    R"(, "accounts": [{"id": "00112233445566778899aabbccddeeff", "class": "0x123456789"}])");
const std::string kNegativeClass =
    WithDataset(R"(, "accounts": [{"id": "00112233445566778899aabbccddeeff", "class": -1}])");
const std::string kFlagRange =
    WithDataset(R"(, "accounts": [{"id": "00112233445566778899aabbccddeeff", "flag110": 256}])");
const std::string kLongName =
    WithDataset(R"(, "accounts": [{"id": "00112233445566778899aabbccddeeff", "name": ")" +
                std::string(88, 'n') + "\"}]");
const std::string kAmounts14 =
    WithDataset(R"(, "totals": [{"debitExTax": [0,0,0,0,0,0,0,0,0,0,0,0,0,0]}])");
const std::string kAmountFloat =
    WithDataset(R"(, "totals": [{}, {"creditExTax": [0,0,0,0,0,0,0,0,0,0,0,0,0,0,1.5]}])");
const std::string kAmountHuge = WithDataset(
    R"(, "totals": [{"creditInTax": [0,0,0,0,0,0,0,0,0,0,0,0,0,0,9223372036854775808]}])");
const std::string kLongCompany = WithDataset(R"(, "company": ")" + std::string(260, 'c') + "\"");
const std::string kBadCutoff = WithDataset(R"(, "cutoffDay": 32)");
const std::string kNulInName = WithDataset(R"(, "company": "a\u0000b")");

INSTANTIATE_TEST_SUITE_P(
    Cases, MalformedStateFile,
    ::testing::Values(
        MalformedCase{"not json", "(file)"}, MalformedCase{"[1, 2]", "(top level)"},
        MalformedCase{R"({"user": {"id": 5}})", "user.id"},
        MalformedCase{R"({"user": {"id": ")"
                      "12345678901234567890123456789012345678901234567890123456789012345"
                      R"("}})",
                      "user.id"},
        MalformedCase{R"({"user": {"selection": [1]}})", "user.selection"},
        MalformedCase{R"({"user": {"selection": [1, "2"]}})", "user.selection[1]"},
        MalformedCase{R"({"results": {"connect": 2147483648}})", "results.connect"},
        MalformedCase{R"({"results": {"nextRowFailCode": 5000}})", "results.nextRowFailCode"},
        MalformedCase{R"({"results": {"nextRowFailCode": 0}})", "results.nextRowFailCode"},
        MalformedCase{R"({"results": {"nextRowFailAt": -2}})", "results.nextRowFailAt"},
        MalformedCase{R"({"results": {"nextRowCrashAt": -2}})", "results.nextRowCrashAt"},
        MalformedCase{R"({"results": {"nextRowDelayMs": -1}})", "results.nextRowDelayMs"},
        MalformedCase{R"({"results": {"nextRowDelayMs": 60001}})", "results.nextRowDelayMs"},
        MalformedCase{R"({"results": {"switchDatasetAtTotals": "13"}})",
                      "results.switchDatasetAtTotals"},
        MalformedCase{R"({"results": []})", "results"},
        MalformedCase{R"({"journal": 1})", "journal"},
        MalformedCase{R"({"datasets": {}})", "datasets"},
        MalformedCase{
            R"({"datasets": [{"no": 1, "periodStart": 20250401, "periodEnd": 20260331}]})",
            "datasets[0].id"},
        MalformedCase{R"({"datasets": [{"id": "D", "no": 1, "periodEnd": 20260331}]})",
                      "datasets[0].periodStart"},
        MalformedCase{
            R"({"datasets": [{"id": "D", "no": 1, "periodStart": 20251301, "periodEnd": 20260331}]})",
            "datasets[0].periodStart"},
        MalformedCase{
            R"({"datasets": [{"id": "DS0123456789ABCD", "no": 1, "periodStart": 20250401, "periodEnd": 20260331}]})",
            "datasets[0].id"},
        MalformedCase{kBadId.c_str(), "datasets[0].accounts[0].id"},
        MalformedCase{kShortId.c_str(), "datasets[0].accounts[0].id"},
        MalformedCase{kBadClass.c_str(), "datasets[0].accounts[0].class"},
        MalformedCase{kNegativeClass.c_str(), "datasets[0].accounts[0].class"},
        MalformedCase{kFlagRange.c_str(), "datasets[0].accounts[0].flag110"},
        MalformedCase{kLongName.c_str(), "datasets[0].accounts[0].name"},
        MalformedCase{kAmounts14.c_str(), "datasets[0].totals[0].debitExTax"},
        MalformedCase{kAmountFloat.c_str(), "datasets[0].totals[1].creditExTax[14]"},
        MalformedCase{kAmountHuge.c_str(), "datasets[0].totals[0].creditInTax[14]"},
        MalformedCase{kLongCompany.c_str(), "datasets[0].company"},
        MalformedCase{kBadCutoff.c_str(), "datasets[0].cutoffDay"},
        MalformedCase{kNulInName.c_str(), "datasets[0].company"}),
    [](const ::testing::TestParamInfo<MalformedCase>& info) {
        std::string name = std::to_string(info.index) + "_";
        for (const char* c = info.param.field; *c != '\0'; ++c) {
            name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
        }
        return name;
    });

// What the reader makes of text at the edges of JSON: a strict reading,
// except that a file may end in NUL bytes. "(file)" marks text that is not
// JSON; an empty field, a file that loads.
struct StrictCase {
    std::string text;
    hostsim::StateParseResult result;
    const char* field;
};

class StrictReading : public ::testing::TestWithParam<StrictCase> {};

TEST_P(StrictReading, DecidesAsExpected) {
    HostState state;
    StateParseError error;
    EXPECT_EQ(ParseHostState(GetParam().text, state, error), GetParam().result) << error.reason;
    EXPECT_EQ(error.field, GetParam().field) << error.reason;
}

const std::string kNested(hostsim::kMaxJsonDepth - 1, '[');
const std::string kClosed(hostsim::kMaxJsonDepth - 1, ']');

INSTANTIATE_TEST_SUITE_P(
    Cases, StrictReading,
    ::testing::Values(
        StrictCase{"\xEF\xBB\xBF{}", hostsim::kStateOk, ""},
        StrictCase{std::string("{} \n\0\0", 6), hostsim::kStateOk, ""},
        StrictCase{R"({"x": [1e308, -0.5e-400, 18446744073709551616, "\u00e9\ud83d\ude00"]})",
                   hostsim::kStateOk, ""},
        StrictCase{R"({"x": )" + kNested + kClosed + "}", hostsim::kStateOk, ""},
        StrictCase{R"({"x": [)" + kNested + kClosed + "]}", hostsim::kStateMalformed, "(file)"},
        StrictCase{std::string(100000, '['), hostsim::kStateMalformed, "(file)"},
        StrictCase{"", hostsim::kStateMalformed, "(file)"},
        StrictCase{" \n", hostsim::kStateMalformed, "(file)"},
        StrictCase{"\xEF\xBB{}", hostsim::kStateMalformed, "(file)"},
        StrictCase{std::string("{}\0x", 4), hostsim::kStateMalformed, "(file)"},
        StrictCase{"{} {}", hostsim::kStateMalformed, "(file)"},
        StrictCase{R"({"x": [1,]})", hostsim::kStateMalformed, "(file)"},
        StrictCase{R"({"x": 1,})", hostsim::kStateMalformed, "(file)"},
        StrictCase{R"({"x": 1 /* note */})", hostsim::kStateMalformed, "(file)"},
        StrictCase{R"({"x": 012})", hostsim::kStateMalformed, "(file)"},
        StrictCase{R"({"x": 1.})", hostsim::kStateMalformed, "(file)"},
        StrictCase{R"({"x": 1e400})", hostsim::kStateMalformed, "(file)"},
        StrictCase{R"({"x": -1e309})", hostsim::kStateMalformed, "(file)"},
        StrictCase{R"({"x": True})", hostsim::kStateMalformed, "(file)"},
        StrictCase{R"({'x': 1})", hostsim::kStateMalformed, "(file)"},
        StrictCase{"{\"x\": \"a\tb\"}", hostsim::kStateMalformed, "(file)"},
        StrictCase{std::string("{\"x\": \"a\0b\"}", 11), hostsim::kStateMalformed, "(file)"},
        StrictCase{R"({"x": "\x41"})", hostsim::kStateMalformed, "(file)"},
        StrictCase{R"({"x": "\u12"})", hostsim::kStateMalformed, "(file)"},
        StrictCase{R"({"x": "\ud83d"})", hostsim::kStateMalformed, "(file)"},
        StrictCase{R"({"x": "\ude00\ud83d"})", hostsim::kStateMalformed, "(file)"},
        StrictCase{"{\"x\": \"\xC0\x80\"}", hostsim::kStateMalformed, "(file)"},      // overlong
        StrictCase{"{\"x\": \"\xED\xA0\x80\"}", hostsim::kStateMalformed, "(file)"},  // surrogate
        StrictCase{"{\"x\": \"\xF4\x90\x80\x80\"}", hostsim::kStateMalformed,
                   "(file)"},                                                     // > U+10FFFF
        StrictCase{"{\"x\": \"\xE3\x81\"}", hostsim::kStateMalformed, "(file)"},  // cut short
        StrictCase{"{\"x\": \"\xE3\x81", hostsim::kStateMalformed, "(file)"},
        StrictCase{"{\"\xFF\": 1}", hostsim::kStateMalformed, "(file)"},
        // Keys given twice, named by their field even where nothing reads them;
        // escapes decoded before keys are compared.
        StrictCase{R"({"user": {"id": "a", "id": "b"}})", hostsim::kStateMalformed, "user.id"},
        StrictCase{R"({"user": {"id": "a", "i\u0064": "b"}})", hostsim::kStateMalformed, "user.id"},
        StrictCase{R"({"x": [{}, {"a": 1, "b": 2, "a": 3}]})", hostsim::kStateMalformed, "x[1].a"},
        // A syntax error anywhere comes before a key given twice.
        StrictCase{R"({"x": {"a": 1, "a": 2}, "y": [1,]})", hostsim::kStateMalformed, "(file)"}));

// The message of text that is not JSON names what was expected where; a
// fault in a dataset's own fields comes before one in its lists, the
// accounts' before the totals', one dataset's before the next one's.
struct MessageCase {
    std::string text;
    const char* field;
    const char* reason;
};

class StateMessage : public ::testing::TestWithParam<MessageCase> {};

TEST_P(StateMessage, NamesTheFirstFault) {
    HostState state;
    StateParseError error;
    EXPECT_NE(ParseHostState(GetParam().text, state, error), hostsim::kStateOk);
    EXPECT_EQ(error.field, GetParam().field);
    EXPECT_EQ(error.reason, GetParam().reason);
}

const std::string kBadAccount =
    R"("accounts": [{"id": "00112233445566778899aabbccddeeff"}, {"id": 1}])";

INSTANTIATE_TEST_SUITE_P(
    Cases, StateMessage,
    ::testing::Values(
        MessageCase{"{\n  \"x\": [1,]}", "(file)",
                    "not JSON: a value expected at line 2, column 11"},
        MessageCase{R"({"x": 1 "y": 2})", "(file)",
                    "not JSON: ',' or '}' expected at line 1, column 9"},
        MessageCase{R"({"x": [1e308, 10e308]})", "(file)",
                    "not JSON: a number beyond the range of a double at line 1, column 15"},
        MessageCase{R"({"x": -a})", "(file)", "not JSON: a digit expected at line 1, column 8"},
        MessageCase{R"({"x": "ab\ude00"})", "(file)",
                    "not JSON: a low surrogate escape without a high one at line 1, column 10"},
        MessageCase{R"({"x": "\ud83dz"})", "(file)",
                    "not JSON: a high surrogate escape without a low one at line 1, column 14"},
        MessageCase{R"({"x": "\ud83d\u12"})", "(file)",
                    "not JSON: a high surrogate escape without a low one at line 1, column 14"},
        MessageCase{"{} x", "(file)",
                    "not JSON: the text goes on after the value at line 1, column 4"},
        MessageCase{R"({"": 1, "": 2})", "\"\"", "given more than once in its object"},
        MessageCase{R"({"datasets": [{"no": 1, "periodStart": 20250401, "periodEnd": 20260331, )" +
                        kBadAccount + "}]}",
                    "datasets[0].id", "required field missing"},
        MessageCase{WithDataset(", " + kBadAccount + R"(, "totals": [{"side": 256}])"),
                    "datasets[0].accounts[1].id", "not a string"},
        MessageCase{
            R"({"datasets": [{)" + std::string(kDataset) + ", " + kBadAccount + R"(}, {"id": 5}]})",
            "datasets[0].accounts[1].id", "not a string"}));

TEST(HostStateFile, EscapesAreDecodedInKeysAndTexts) {
    HostState state;
    StateParseError error;
    ASSERT_EQ(ParseHostState(R"({"\u0075ser": {"id": "\u73fe\u91d1\t\"\/"},
                                 "folders": {"output": "C:\\Users\\~a\\"}})",
                             state, error),
              hostsim::kStateOk)
        << error.field << error.reason;
    EXPECT_EQ(state.userId, "現金\t\"/");  // compiled as Shift_JIS
    EXPECT_EQ(state.outputFolder, "C:\\Users\\~a\\") << "ASCII is kept as it is";
}

TEST(HostStateFile, AmountsReadAlikeWhateverTheirSpacing) {
    HostState state;
    StateParseError error;
    ASSERT_EQ(ParseHostState(WithDataset(R"(, "totals": [{"debitExTax": [
        -9223372036854775808 ,9223372036854775807,-0,0, 1,
        -1,12345678901234567,0,0,0,0,0,0,0,	42 ]}])"),
                             state, error),
              hostsim::kStateOk)
        << error.field << error.reason;
    const AccountTotalsRecord& row = state.datasets.at(0).totals.at(0);
    using Column = AccountTotalsRecord::Column;
    EXPECT_EQ(row.Amount(Column::kDebitExTax, 0), INT64_MIN);
    EXPECT_EQ(row.Amount(Column::kDebitExTax, 1), INT64_MAX);
    EXPECT_EQ(row.Amount(Column::kDebitExTax, 2), 0);
    EXPECT_EQ(row.Amount(Column::kDebitExTax, 5), -1);
    EXPECT_EQ(row.Amount(Column::kDebitExTax, 6), 12345678901234567);
    EXPECT_EQ(row.Amount(Column::kDebitExTax, 14), 42);
}

TEST(HostStateFile, TextWithoutShiftJisCharacterGivesTwo) {
    HostState state;
    StateParseError error;
    // U+1F600 and U+00E9 have no place in code page 932.
    EXPECT_EQ(ParseHostState(R"({"user": {"id": "\ud83d\ude00"}})", state, error),
              hostsim::kStateTextNotConvertible);
    EXPECT_EQ(error.field, "user.id");
    EXPECT_EQ(ParseHostState(WithDataset(", \"company\": \"caf\xc3\xa9\""), state, error),
              hostsim::kStateTextNotConvertible);
    EXPECT_EQ(error.field, "datasets[0].company");
}

TEST(HostStateFile, NameBoundCountsShiftJisBytes) {
    // 43 hiragana and a letter: 130 bytes in UTF-8, 87 in Shift_JIS.
    std::string utf8;
    std::string sjis;
    for (int i = 0; i < 43; ++i) {
        utf8 += "\xe3\x81\x82";
        sjis += "あ";
    }
    HostState state;
    StateParseError error;
    const std::string account =
        R"(, "accounts": [{"id": "00112233445566778899aabbccddeeff", "name": ")";
    ASSERT_EQ(ParseHostState(WithDataset(account + utf8 + "a\"}]"), state, error),
              hostsim::kStateOk)
        << error.reason;
    EXPECT_EQ(state.datasets[0].accounts[0].record.Name(), sjis + "a");
    EXPECT_EQ(ParseHostState(WithDataset(account + utf8 + "ab\"}]"), state, error),
              hostsim::kStateMalformed);
}

}  // namespace
