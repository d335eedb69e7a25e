// Rows per second of one aggregation against the stand-in followed by the
// XML document of its result: every account has a totals row, a tenth of
// them are mapped, the catalogue holds all 43 items, the progress window
// ticks with the real clock, and the document goes to memory. The second
// benchmark also keeps the aggregation's record and writes the aggregation
// detail from it, as a run does. The last two time the amounts the
// condition sheet shows before the run.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "aggregate/detail_builder.h"
#include "aggregate/kept_totals.h"
#include "aggregate/sheet_amounts.h"
#include "aggregate/totals_aggregator.h"
#include "aggregate/totals_filter.h"
#include "app/progress_window.h"
#include "host/host_calls.h"
#include "host/host_link.h"
#include "hostsim/host_session.h"
#include "model/account_directory.h"
#include "report/detail_document.h"
#include "report/overview_report.h"
#include "tests/unit/fakes/memory_file_system.h"

namespace {

constexpr const char* kFigureCodes[] = {"0x40888000", "0x40884000", "0x40880008", "0x40880000",
                                        "0x40200080", "0x80800000", "0x80400000", "0x80200000"};

std::string IdHex(int account) {
    char hex[33];
    std::snprintf(hex, sizeof hex, "%032x", account);
    return hex;
}

std::string Slots(int account, int salt) {
    std::string json = "[";
    for (int slot = 0; slot < 15; ++slot) {
        const std::int64_t amount = (account * 7919LL + slot * 104729LL + salt) % 100000000LL;
        json += (slot ? "," : "") + std::to_string(amount);
    }
    return json + "]";
}

// Writes the host state for `rows` totals rows (the last eight are the
// host's classification rows) and connects the stand-in to it.
void ConnectDataset(int rows, const std::string& path) {
    std::ofstream out(path, std::ios::binary);
    out << R"({"user": {"selection": [1, 1]}, "datasets": [{"id": "BENCH", "no": 1, )"
        << R"("periodStart": 20250401, "periodEnd": 20260331, "accounts": [)";
    for (int account = 1; account <= rows - 8; ++account) {
        out << (account > 1 ? ",\n" : "\n") << R"({"id": ")" << IdHex(account) << R"(", "code": )"
            << account * 10000 << R"(, "name": "Account )" << account
            << R"(", "class": "0x10000000"})";
    }
    out << R"(], "totals": [)";
    for (int account = 1; account <= rows; ++account) {
        const bool figure = account > rows - 8;
        out << (account > 1 ? ",\n" : "\n") << R"({"id": ")" << IdHex(account) << R"(", "class": ")"
            << (figure ? kFigureCodes[account - (rows - 8) - 1] : "0x10000000") << R"(", "side": )"
            << (account % 2 + 1) << R"(, "figureSource": 1, "unmapped": )" << (figure ? 1 : 0)
            << R"(, "debitExTax": )" << Slots(account, 1) << R"(, "creditExTax": )"
            << Slots(account, 2) << "}";
    }
    out << "]}]}";
    out.close();
    setenv("LDG_HOST_STATE", path.c_str(), 1);
    hostsim::ResetSession();
    ClHostLink::Instance()->Connect();
}

// Sources of the items: `entries` entries over every tenth account, and the
// ten keywords.
MappingList Mapping(int rows, int entries) {
    static const char* const kKeywords[] = {
        "URIAGEDAKA", "URIAGEGENKA", "URIAGESOURIEKI", "EIGYOUSONEKI", "ZEIBIKIMAE",
        "SOREIGAI",   "SONOTAFUSAI", "SIHON",          "SISAN",        "FUSAI"};
    MappingList mapping;
    const int mappedAccounts = rows / 10;
    for (int e = 0; e < entries; ++e) {
        const int account = 10 * (e % mappedAccounts) + 1;
        mapping.Append(MappingEntry(static_cast<std::int16_t>(e % 43 + 1), "0x" + IdHex(account)));
    }
    for (int k = 0; k < 10; ++k)
        mapping.Append(MappingEntry(static_cast<std::int16_t>(20 + k), kKeywords[k]));
    return mapping;
}

const EditionInfo kBenchEdition{"BENCH", "Bench", "18.00.00", "18.00.0X"};

ItemCatalogue Catalogue() {
    ItemCatalogue catalogue;
    for (int itemNo = 1; itemNo <= 43; ++itemNo) {
        StatementItem item;
        item.itemNo = static_cast<std::int16_t>(itemNo);
        item.side = static_cast<std::int16_t>(itemNo % 2 + 1);
        item.SetKey("ITEM" + std::to_string(itemNo));
        catalogue.Append(item);
    }
    return catalogue;
}

// Arguments: totals rows, mapping entries; with `detail` the record is kept
// and the detail document written beside the XML.
void AggregateAndReport(benchmark::State& state, bool detail) {
    const int rows = static_cast<int>(state.range(0));
    const int entries = static_cast<int>(state.range(1));
    char folder[] = "/tmp/ldg-bench-XXXXXX";
    if (mkdtemp(folder) == nullptr) {
        state.SkipWithError("no temporary folder");
        return;
    }
    const std::string path = std::string(folder) + "/state.json";
    ConnectDataset(rows, path);
    HostCalls host;
    DatasetRecord dataset;
    host.FindDataset(1, dataset);
    const AccountFilter filter = PrepareTotalsFilter(host, dataset, 4, 3);
    const MappingList mapping = Mapping(rows, entries);
    ClProgressWindow progress(std::make_unique<NullProgressView>());
    // The document goes to memory, so that the figures do not depend on the disk.
    MemoryFileSystem files;
    std::string document;
    std::size_t detailBytes = 0;
    std::size_t recordBytes = 0;

    for (auto _ : state) {
        ItemCatalogue catalogue = Catalogue();
        ClTotalsAggregator aggregator(host, progress, mapping, catalogue);
        AggregationRecord record;
        if (detail) aggregator.RecordInto(&record);
        if (aggregator.Aggregate(0, filter, dataset) != 1) {
            state.SkipWithError("aggregation failed");
            break;
        }
        files.outputs.clear();
        ClOverviewReport report(progress, catalogue, kBenchEdition, files);
        if (report.WriteReport("overview.xml", 2, 4, dataset) != 1) {
            state.SkipWithError("report not written");
            break;
        }
        document = files.files["overview.xml"];
        benchmark::DoNotOptimize(document.data());
        if (!detail) continue;
        // The directory reads the chart once per run, as the program's does.
        const AccountDirectory accounts(host);
        const AggregationDetail traced =
            BuildAggregationDetail(record, catalogue, mapping, accounts, DetailRun());
        DetailHeading heading;
        heading.xmlPath = "overview.xml";
        if (!WriteDetailDocument(files, DetailDocumentPath(heading.xmlPath),
                                 DetailDocumentText(heading, catalogue, traced))) {
            state.SkipWithError("detail not written");
            break;
        }
        detailBytes = files.files[DetailDocumentPath(heading.xmlPath)].size();
        recordBytes = record.rows.capacity() * sizeof(RowRecord) +
                      record.changes.capacity() * sizeof(ItemChange);
    }
    state.counters["rows"] = static_cast<double>(rows);
    state.counters["document_bytes"] = static_cast<double>(document.size());
    if (detail) {
        state.counters["detail_bytes"] = static_cast<double>(detailBytes);
        state.counters["record_bytes"] = static_cast<double>(recordBytes);
    }
    state.counters["rows_per_second"] = benchmark::Counter(
        static_cast<double>(rows), benchmark::Counter::kIsIterationInvariantRate);

    hostsim::ResetSession();
    unsetenv("LDG_HOST_STATE");
    std::remove(path.c_str());
    std::remove(folder);
}

void BM_AggregateAndReport(benchmark::State& state) {
    AggregateAndReport(state, false);
}
void BM_AggregateReportAndDetail(benchmark::State& state) {
    AggregateAndReport(state, true);
}

// A tenth of the accounts mapped, from 1,000 to 100,000 rows.
void Sizes(benchmark::internal::Benchmark* family) {
    family->Args({1000, 100})
        ->Args({5000, 500})
        ->Args({20000, 2000})
        ->Args({50000, 5000})
        ->Args({100000, 10000});
}
BENCHMARK(BM_AggregateAndReport)->Apply(Sizes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AggregateReportAndDetail)->Apply(Sizes)->Unit(benchmark::kMillisecond);

// The sheet's amounts on the same datasets. Read: the whole-year query read
// and kept, which the first mapping page shown waits for; kept_mb is the
// memory the kept rows hold. Recompute: a change of end month or tax view
// on page 1 worked out anew from the kept rows, every amount there is: each
// row's balance, every item's amounts and what every account adds to an
// item.
void BM_SheetAmountsRead(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    const std::string path = "/tmp/ldg-bench-sheet-amounts.json";
    ConnectDataset(rows, path);
    HostCalls host;
    DatasetRecord dataset;
    host.FindDataset(1, dataset);
    std::size_t keptBytes = 0;
    for (auto _ : state) {
        KeptTotals kept;
        if (kept.Read(host, dataset.DatasetId()) != KeptTotals::State::kRead) {
            state.SkipWithError("the totals were not read");
            break;
        }
        keptBytes = kept.KeptBytes();
    }
    state.counters["rows"] = static_cast<double>(rows);
    state.counters["kept_mb"] = static_cast<double>(keptBytes) / (1024.0 * 1024.0);
    hostsim::ResetSession();
    unsetenv("LDG_HOST_STATE");
    std::remove(path.c_str());
}

void BM_SheetAmountsRecompute(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    const int entries = static_cast<int>(state.range(1));
    const std::string path = "/tmp/ldg-bench-sheet-amounts.json";
    ConnectDataset(rows, path);
    HostCalls host;
    DatasetRecord dataset;
    host.FindDataset(1, dataset);
    SheetAmounts sheet(host, dataset, 4, 103);
    AggregationConditions conditions;
    conditions.startMonth = 4;
    conditions.endMonth = 3;
    conditions.introMonth = 1;
    if (sheet.For(conditions) == nullptr) {
        state.SkipWithError("no amounts");
        return;
    }
    const MappingList mapping = Mapping(rows, entries);
    const ItemCatalogue catalogue = Catalogue();
    std::vector<std::string> ids;
    for (int account = 1; account <= rows - 8; ++account)
        ids.push_back("0x" + IdHex(account));
    int change = 0;
    for (auto _ : state) {
        conditions.endMonth = change % 2 == 0 ? 9 : 3;
        conditions.taxInclusive = static_cast<std::int16_t>(change / 2 % 2);
        ++change;
        const PeriodAmounts* amounts = sheet.For(conditions);
        ItemCatalogue items = catalogue;
        if (amounts == nullptr || !amounts->FillItems(mapping, items)) {
            state.SkipWithError("no amounts");
            break;
        }
        std::int64_t sum = 0;
        for (const std::string& id : ids)
            sum += (*amounts->Contribution(id, 21, 1))[0];
        benchmark::DoNotOptimize(sum);
    }
    state.counters["rows"] = static_cast<double>(rows);
    hostsim::ResetSession();
    unsetenv("LDG_HOST_STATE");
    std::remove(path.c_str());
}
BENCHMARK(BM_SheetAmountsRead)->Apply(Sizes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SheetAmountsRecompute)->Apply(Sizes)->Unit(benchmark::kMillisecond);

// Prints each run as the console does, then how the time grows between
// consecutive sizes: the exponent k of time ~ rows^k (1 is linear).
class GrowthReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred) continue;
            // With repetitions, the median stands for its size.
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
            if (!median && !single) continue;
            const double rows = run.counters.at("rows");
            times_[run.run_name.function_name].emplace_back(rows, run.GetAdjustedRealTime());
        }
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        for (const auto& [name, times] : times_) {
            for (std::size_t i = 1; i < times.size(); ++i) {
                const auto& [rows0, time0] = times[i - 1];
                const auto& [rows1, time1] = times[i];
                std::printf("%s growth %.0f -> %.0f rows: exponent %.2f\n", name.c_str(), rows0,
                            rows1, std::log(time1 / time0) / std::log(rows1 / rows0));
            }
        }
    }

  private:
    // Per benchmark, its sizes in the order run.
    std::map<std::string, std::vector<std::pair<double, double>>> times_;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    GrowthReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
