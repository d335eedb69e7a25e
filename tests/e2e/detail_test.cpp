// The aggregation detail end to end: what its checks find on the sample
// company when a run is not a whole year, not in the company's tax view, or
// has a mapping whose back does not tie with its front; and a detail that
// cannot be saved, where the XML is written all the same, the host hears
// success, and the closing message says so.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "tests/e2e/scenario.h"

namespace {

class DetailDocument : public Scenario {};

TEST_F(DetailDocument, APathTooLongLeavesTheXmlAndTheSuccess) {
    WriteState();
    // The XML's path fits in 260 bytes; the detail's, 10 bytes longer, does not.
    const std::wstring output =
        folder_ + std::wstring(255 - Utf8(folder_).size() - 4, L'a') + L".xml";
    Start(L"--function-id 2 --output \"" + output + L"\"",
          ProgramFolder() + L"LdgSel18ToQb16_G.exe");
    ASSERT_NO_FATAL_FAILURE(WaitForSheetAndRun());
    ExpectMessageAndConfirm(
        L"事業概況情報の出力が終了しました。\n集計明細を保存できませんでした。\n\n"
        L"アプリケーションを終了します。");
    const ProcessResult result = Finish();
    EXPECT_EQ(result.exitCode, 0u);
    EXPECT_EQ(result.output.rfind("completion function=2 code=0\n", 0), 0u);

    const std::string xml = ReadFileBytes(output);
    EXPECT_EQ(xml.rfind("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n", 0), 0u);
    EXPECT_EQ(xml.size() - xml.rfind("</REPORT>\r\n"), 11u) << "the XML is whole";
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder_ + L"*.html").c_str(), &found);
    EXPECT_EQ(search, INVALID_HANDLE_VALUE) << "no detail, whole or partial";
    if (search != INVALID_HANDLE_VALUE) FindClose(search);
}

// The id text of the account with `code` in sample dataset `no`, as the
// saved conditions hold it.
std::string SampleAccountId(const std::string& state, int no, int code) {
    const std::size_t dataset = state.find("\"no\": " + std::to_string(no) + ",");
    const std::size_t at = state.find("\"code\": " + std::to_string(code) + ",", dataset);
    const std::size_t id = state.rfind("{\"id\": \"", at);
    if (dataset == std::string::npos || at == std::string::npos || id == std::string::npos)
        return "";
    return "0x" + state.substr(id + 8, 32);
}

struct FindingCase {
    const char* name;
    int dataset;
    // The saved conditions' first line (last month and tax view) and their
    // mapping, item number and account code (0: the host's sales figure);
    // none saved when null.
    const char* conditions;
    std::vector<std::pair<int, int>> mapping;
    // The finding's row as the detail starts it, after data-kind.
    const char* finding;
};

void PrintTo(const FindingCase& c, std::ostream* out) {
    *out << c.name;
}

const FindingCase kFindingCases[] = {
    // Item 36 without 4120 兼業売上高 falls short of the sales by its balance.
    {"SalesByMonthWithoutSideBusiness",
     12,
     "3/0/0/",
     {{1, 0}, {36, 41100000}, {36, 41300000}},
     "months-differ\" data-level=\"check\" data-items=\"36 1\" data-codes=\"\" "
     "data-amounts=\"117824000 122008200 -4184200\""},
    {"SideBusinessWithoutSales",
     12,
     "3/0/0/",
     {{2, 41200000}},
     "breakdown-over\" data-level=\"check\" data-items=\"2 1\" data-codes=\"\" "
     "data-amounts=\"4184200 0 4184200\""},
    // 預り金 brings its opening balance into April, the first month.
    {"WithholdingsByMonth",
     12,
     "3/0/0/",
     {{40, 21900000}},
     "balance-on-monthly\" data-level=\"check\" data-items=\"40\" data-codes=\"2190\" "
     "data-amounts=\"312000\" data-month=\"1\""},
    {"UpToSeptember",
     12,
     "9/0/0/",
     {},
     "part-year\" data-level=\"check\" data-items=\"\" data-codes=\"\" data-amounts=\"\" "
     "data-month=\"6\""},
    {"TaxIncludedInATaxExcludingCompany",
     12,
     "3/1/0/",
     {},
     "tax-view\" data-level=\"note\" data-items=\"\" data-codes=\"\" data-amounts=\"\""},
    // The shipped defaults: 貯蔵品 is an inventory asset outside the cost of
    // sales; dataset 16 was introduced in October.
    {"StoresBesideClosingInventory",
     12,
     nullptr,
     {},
     "inventory-differs\" data-level=\"note\" data-items=\"10 24\" data-codes=\"\" "
     "data-amounts=\"3456000 3576000 -120000\""},
    {"IntroducedInOctober",
     16,
     nullptr,
     {},
     "intro-month\" data-level=\"note\" data-items=\"\" data-codes=\"\" data-amounts=\"\" "
     "data-month=\"7\""},
};

class DetailFindings : public Scenario, public ::testing::WithParamInterface<FindingCase> {};

TEST_P(DetailFindings, TheDetailListsTheFindingAndTheMessageCountsIt) {
    const FindingCase& c = GetParam();
    const std::string state = SampleState(c.dataset, folder_);
    ASSERT_FALSE(state.empty()) << "the sample state has changed its layout";
    WriteFileBytes(statePath_, state);
    if (c.conditions != nullptr) {
        std::string saved = std::string("[P1]\n") + c.conditions + "\n[終了]\n[P2/P3]\n";
        for (const auto& [itemNo, code] : c.mapping) {
            const std::string id =
                code == 0 ? "URIAGEDAKA" : SampleAccountId(state, c.dataset, code);
            ASSERT_FALSE(id.empty()) << "no account " << code;
            saved += std::to_string(itemNo) + "/" + id + "[END]\n";
        }
        WriteFileBytes(
            conditionsFolder_ + L"QB16_G_admin_1_" + std::to_wstring(c.dataset) + L".env",
            saved + "[終了]\n");
    }
    const std::wstring output = folder_ + L"overview.xml";
    Start(L"--function-id 2 --output \"" + output + L"\"",
          ProgramFolder() + L"LdgSel18ToQb16_G.exe");
    ASSERT_NO_FATAL_FAILURE(WaitForSheetAndRun());
    const std::wstring detailPath = folder_ + L"overview_集計明細.html";
    ExpectWrittenAndConfirm(detailPath);
    EXPECT_EQ(Finish().exitCode, 0u);
    const std::string detail = ReadFileBytes(detailPath);
    EXPECT_NE(detail.find(std::string("<tr class=\"finding\" data-kind=\"") + c.finding + ">"),
              std::string::npos)
        << c.finding;
}

INSTANTIATE_TEST_SUITE_P(SampleCompany, DetailFindings, ::testing::ValuesIn(kFindingCases),
                         [](const ::testing::TestParamInfo<FindingCase>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
