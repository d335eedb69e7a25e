// Opening the account selection dialog for a chart of 50,000 main accounts
// against the stand-in: the worst case maps every account to the item, so
// that the dialog widens to all accounts and checks every row. Also the
// whole session of checking all, hiding the non-class accounts and applying,
// and the opening with every row's amount and the total line.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>

#include "aggregate/sheet_amounts.h"
#include "host/host_calls.h"
#include "host/host_link.h"
#include "hostsim/host_session.h"
#include "model/account_directory.h"
#include "model/mapping_list.h"
#include "ui/mapping/account_select_dialog.h"
#include "ui/mapping/mapped_accounts_text.h"

namespace {

constexpr int kAccounts = 50000;
constexpr std::int16_t kItem = 5;

std::string IdHex(int account) {
    char hex[33];
    std::snprintf(hex, sizeof hex, "%032x", account);
    return hex;
}

// Main accounts spread over ten classes, each followed by a sub-account;
// the item maps every main account.
void ConnectDataset(const std::string& path, MappingList& mapping) {
    std::ofstream out(path, std::ios::binary);
    out << R"({"user": {"selection": [1, 1]}, "datasets": [{"id": "BENCH", "no": 1, )"
        << R"("periodStart": 20250401, "periodEnd": 20260331, "accounts": [)";
    for (int account = 1; account <= kAccounts; ++account) {
        const int code = 1000 + account;
        out << (account > 1 ? ",\n" : "\n") << R"({"id": ")" << IdHex(account) << R"(", "code": )"
            << code * 10000 << R"(, "class": )" << account % 10 + 1 << R"(, "name": "account )"
            << account << R"("},)"
            << "\n"
            << R"({"id": ")" << IdHex(100000 + account) << R"(", "code": )" << code * 10000 + 1
            << R"(, "class": )" << account % 10 + 1 << "}";
        mapping.Append(MappingEntry(kItem, "0x" + IdHex(account)));
    }
    // One totals row per main account, for the amounts of the rows.
    out << R"(], "totals": [)";
    for (int account = 1; account <= kAccounts; ++account) {
        out << (account > 1 ? ",\n" : "\n") << R"({"id": ")" << IdHex(account)
            << R"(", "class": 1, "side": 1, "debitExTax": [)" << account * 10000LL
            << ",1,2,3,4,5,6,7,8,9,10,11,12,13,14]}";
    }
    out << "]}]}";
    out.close();
    setenv("LDG_HOST_STATE", path.c_str(), 1);
    hostsim::ResetSession();
    ClHostLink::Instance()->Connect();
}

struct Fixture {
    Fixture() { ConnectDataset("/tmp/ldg-account-dialog-bench.json", mapping); }
    ~Fixture() { std::remove("/tmp/ldg-account-dialog-bench.json"); }
    // A directory per opening, as each sheet has its own.
    void Prepare(ClAccountSelectDialog& dialog, AccountDirectory& accounts) {
        dialog.accounts = &accounts;
        dialog.itemNo = kItem;
        dialog.classCodes = &classes;
        dialog.currentMapping = &mapping;
        dialog.defaultMapping = &defaults;
    }
    HostCalls host;
    std::array<std::uint32_t, kClassCodeSlots> classes{1, 2};
    MappingList mapping, defaults;
};

Fixture& Data() {
    static Fixture fixture;
    return fixture;
}

void BM_OpenDialog(benchmark::State& state) {
    for (auto _ : state) {
        AccountDirectory accounts(Data().host);
        ClAccountSelectDialog dialog;
        Data().Prepare(dialog, accounts);
        dialog.Initialise();
        benchmark::DoNotOptimize(dialog.Rows().size());
    }
}
BENCHMARK(BM_OpenDialog)->Unit(benchmark::kMillisecond);

// The same opening with the amounts of every row and the total line, from
// totals the sheet has kept already.
void BM_OpenDialogWithAmounts(benchmark::State& state) {
    DatasetRecord dataset;
    Data().host.FindDataset(1, dataset);
    SheetAmounts sheet(Data().host, dataset, 4, 103);
    AggregationConditions conditions;
    conditions.startMonth = 4;
    conditions.endMonth = 3;
    conditions.introMonth = 1;
    const AmountsSource amounts = [&] {
        return AmountsOnScreen{sheet.For(conditions), sheet.status(), sheet.period()};
    };
    if (amounts().amounts == nullptr) {
        state.SkipWithError("no amounts");
        return;
    }
    for (auto _ : state) {
        AccountDirectory accounts(Data().host);
        ClAccountSelectDialog dialog;
        Data().Prepare(dialog, accounts);
        dialog.amounts = amounts;
        dialog.Initialise();
        benchmark::DoNotOptimize(dialog.TotalText().size());
    }
}
BENCHMARK(BM_OpenDialogWithAmounts)->Unit(benchmark::kMillisecond);

void BM_CheckAllHideAndApply(benchmark::State& state) {
    for (auto _ : state) {
        AccountDirectory accounts(Data().host);
        ClAccountSelectDialog dialog;
        Data().Prepare(dialog, accounts);
        dialog.Initialise();
        dialog.OnListMenuCommand(ClAccountSelectDialog::kCheckAllAccounts);
        dialog.OnShowAllToggled(false);
        dialog.ApplySelection();
        benchmark::DoNotOptimize(Data().mapping.size());
    }
}
BENCHMARK(BM_CheckAllHideAndApply)->Unit(benchmark::kMillisecond);

// An item button's tooltip for the same item, as the page computes it.
void BM_DescribeMappedAccounts(benchmark::State& state) {
    for (auto _ : state) {
        const AccountDirectory accounts(Data().host);
        benchmark::DoNotOptimize(DescribeMappedAccounts(Data().mapping, kItem, accounts).size());
    }
}
BENCHMARK(BM_DescribeMappedAccounts)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
