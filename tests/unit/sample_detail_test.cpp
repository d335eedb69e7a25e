// The shipped editions and their default mappings on the sample datasets,
// read back from the detail of a whole year's run.
#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "model/default_mapping_file.h"
#include "model/item_definition_file.h"
#include "tests/unit/fakes/source_file.h"
#include "tests/unit/fakes/traced_aggregation.h"

namespace {

using Kind = DetailFinding::Kind;

// The shipped editions and their default mappings on the sample datasets:
// the only finding that needs checking is the withholding account, which
// the defaults leave for the user to choose (item 40 has no default), so
// the back ties with the front; and the monthly personnel costs are the
// pay of officers and staff, without welfare.
class SampleDetail : public ::testing::TestWithParam<const char*> {};

TEST_P(SampleDetail, OnlyTheWithholdingAccountNeedsChecking) {
    FakeHost sample;
    sample.LoadText(SourceFile("samples/sample-company.json"));
    for (const int no : {12, 13, 14, 15, 16}) {
        SCOPED_TRACE("dataset " + std::to_string(no));
        Traced run;
        run.host.state = sample.state;
        run.host.state.selectionSecond = no;
        AccountDirectory accounts(run.host);
        const std::string prefix = std::string("editions/") + GetParam();
        ASSERT_EQ(LoadItemDefinitions(SourceFile(prefix + "_GaiKmk.dat"), run.items), 1);
        ASSERT_EQ(LoadDefaultMapping(SourceFile(prefix + "_DefKmk.dat"), accounts, run.mapping), 1);
        DatasetRecord dataset;
        ASSERT_TRUE(run.host.FindDataset(no, dataset));
        std::int16_t fiscalEnd = 0;
        FiscalMonthRange(run.host, dataset.PeriodStart(), dataset.PeriodEnd(), nullptr, &fiscalEnd);
        Aggregate(run, fiscalEnd % 100, run.host.TaxInclusiveDefault());
        ExpectSourcesAddUp(run);

        std::vector<std::string> checks;
        for (const DetailFinding& finding : run.detail.findings) {
            if (finding.level != DetailFinding::Level::kCheck) continue;
            std::string text = std::to_string(static_cast<int>(finding.kind)) + ":";
            for (const int item : finding.items)
                text += " " + std::to_string(item);
            for (const DetailAccount& account : finding.accounts)
                text += " " + std::to_string(account.code / 10000);
            checks.push_back(text);
        }
        const std::string unusedWithholding =
            std::to_string(static_cast<int>(Kind::kUnusedAccounts)) + ": 40 2190";
        EXPECT_EQ(checks, std::vector<std::string>{unusedWithholding});

        // Wages, officers' pay, salaries, bonuses and casual pay, as the
        // front's items 8, 12 and 13 show them.
        const std::set<std::int32_t> pay = {5410, 6110, 6120, 6130, 6140};
        std::int64_t paid = 0;
        std::size_t position = 0;
        const DetailReconciliation* personnel = nullptr;
        for (const DetailReconciliation& r : run.detail.reconciliations) {
            if (r.monthlyItem == 39) personnel = &r;
        }
        for (const StatementItem& item : run.items) {
            for (const DetailSource& source : run.detail.sources[position]) {
                if ((item.itemNo == 8 || item.itemNo == 12 || item.itemNo == 13) &&
                    pay.count(source.account.code / 10000) != 0) {
                    paid += source.amount;
                }
            }
            ++position;
        }
        ASSERT_NE(personnel, nullptr);
        EXPECT_EQ(personnel->months, paid);
    }
}

INSTANTIATE_TEST_SUITE_P(Editions, SampleDetail,
                         ::testing::Values("LdgSel18ToQb16_G", "LdgAdv18ToQb16_G",
                                           "LdgBas18ToQb16_G"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                             return std::string(info.param).substr(3, 3);
                         });

}  // namespace
