// What a start costs before the sheet shows, for a host state given in
// LDG_HOST_STATE (e.g. 50,000 accounts from samples/generate_dataset.py,
// with the folders of a run from scripts/ldg_data.py):
// the stand-in reading its state at Connect, and the program's own work,
// the sheet's initialisation (saved conditions with a mapping entry per
// tenth account, the default mapping resolved through the account
// directory, the item definitions, the page binding and every item tip).
//   python3 samples/generate_dataset.py synthetic --accounts 50000 --no 1 --out /tmp/g.json
//   python3 scripts/ldg_data.py state --dataset 1 --folder 'C:\bench' /tmp/g.json /tmp/s.json
//   LDG_HOST_STATE=/tmp/s.json build/bench/bin/launch_bench
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "host/host_calls.h"
#include "host/host_link.h"
#include "hostsim/host_session.h"
#include "model/account_directory.h"
#include "model/item_definition_file.h"
#include "model/saved_conditions_file.h"
#include "tests/unit/fakes/memory_file_system.h"
#include "tests/unit/fakes/recording_views.h"
#include "ui/sheet/condition_entry_sheet.h"

namespace {

const EditionInfo kSelect{"SELECT", "LdgSel18ToQb16_G", "18.00.00", "18.00.0X"};

std::string EditionFile(const char* suffix) {
    std::ifstream in(std::string(LDG_SOURCE_DIR) + "/editions/LdgSel18ToQb16_G" + suffix,
                     std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

bool Connect() {
    hostsim::ResetSession();
    return ClHostLink::Instance()->Connect() == 0;
}

// The edition's files and saved conditions that map every tenth listed
// account of each item's classes to the item.
void PrepareFiles(Host& host, MemoryFileSystem& files, const UserSelection& user) {
    files.files["LdgSel18ToQb16_G_GaiKmk.dat"] = EditionFile("_GaiKmk.dat");
    files.files["LdgSel18ToQb16_G_DefKmk.dat"] = EditionFile("_DefKmk.dat");
    const std::string folder = host.FolderPath(kFolderConditions);
    files.folders = {folder};
    ItemCatalogue items;
    LoadItemDefinitions(files.files["LdgSel18ToQb16_G_GaiKmk.dat"], items);
    AccountDirectory accounts(host);
    MappingList mapping;
    for (const StatementItem& item : items) {
        if (item.classCodes[0] == 0) continue;
        const std::vector<AccountRecord> listed = accounts.ListAccounts(&item.classCodes);
        for (std::size_t i = 0; i < listed.size(); i += 10)
            mapping.Append(MappingEntry(item.itemNo, AccountDirectory::FormatAccountId(listed[i])));
    }
    AggregationConditions conditions;
    conditions.userId = user.userId;
    conditions.selectionFirst = user.first;
    conditions.selectionSecond = user.second;
    conditions.endMonth = 3;
    conditions.outputPath = "C:\\out\\x.xml";
    files.files[folder + SavedConditionsFileName(conditions)] =
        FormatSavedConditions(conditions, mapping);
}

void BM_StandInReadsItsState(benchmark::State& state) {
    for (auto _ : state) {
        if (!Connect()) state.SkipWithError("Connect failed: set LDG_HOST_STATE");
    }
}
BENCHMARK(BM_StandInReadsItsState)->Unit(benchmark::kMillisecond);

void BM_SheetInitialisation(benchmark::State& state) {
    if (!Connect()) {
        state.SkipWithError("Connect failed: set LDG_HOST_STATE");
        return;
    }
    HostCalls host;
    const UserSelection user = host.CurrentUser();
    MemoryFileSystem files;
    PrepareFiles(host, files, user);
    if (host.FolderPath(kFolderConditions).empty()) {
        state.SkipWithError("the state names no conditions folder (see the file's head)");
        return;
    }
    DatasetRecord dataset;
    host.FindDataset(user.second, dataset);
    for (auto _ : state) {
        MappingList current;
        ItemCatalogue items;
        RecordingSheetView view;
        RecordingMappingPageView page2, page3;
        ClConditionEntrySheet sheet(host);
        sheet.AttachView(&view);
        sheet.page2.AttachView(&page2);
        sheet.page3.AttachView(&page3);
        sheet.edition = &kSelect;
        sheet.fileSystem = &files;
        sheet.currentMapping = &current;
        sheet.itemCatalogue = &items;
        sheet.conditions.userId = user.userId;
        sheet.conditions.selectionFirst = user.first;
        sheet.conditions.selectionSecond = user.second;
        sheet.conditions.periodStart = dataset.PeriodStart();
        sheet.conditions.periodEnd = dataset.PeriodEnd();
        sheet.Initialise();
        state.counters["entries"] = static_cast<double>(current.size());
        state.counters["tips"] = static_cast<double>(page2.tips.size() + page3.tips.size());
    }
}
BENCHMARK(BM_SheetInitialisation)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
