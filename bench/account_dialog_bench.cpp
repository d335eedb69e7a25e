// Opening the account selection dialog for a chart of 50,000 main accounts
// against the stand-in: the worst case maps every account to the item, so
// that the dialog widens to all accounts and checks every row. Also the
// whole session of checking all, hiding the non-class accounts and applying.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>

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
