// What every program start pays before the sheet: the stand-in reading its
// state file at Connect. The state has the generator's shape: accounts with
// Japanese names, one totals row per account with four amount columns of
// large figures, and ten classification rows. LDG_BENCH_STATE names a file
// to time as well (e.g. a generated 50,000-account state).
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "host/host_link.h"
#include "hostsim/host_session.h"
#include "hostsim/host_state.h"

namespace {

std::string Amounts(std::uint64_t& seed) {
    std::string json = "[";
    for (int slot = 0; slot < 15; ++slot) {
        seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
        const std::uint64_t amount = slot % 5 == 4 ? 0 : (seed >> 20) % 5000000000000000ULL;
        json += (slot ? ", " : "") + std::to_string(amount);
    }
    return json + "]";
}

std::string GeneratedState(int accounts) {
    std::ostringstream out;
    out << u8R"({"user": {"id": "admin", "selection": [1, 1]}, "datasets": [{"id": "DS0001", )"
        << u8R"("no": 1, "company": "株式会社見本データ", "periodStart": 20250401, )"
        << u8R"("periodEnd": 20260331, "netAssetsStyle": 1, "accounts": [)";
    char id[33];
    for (int a = 1; a <= accounts; ++a) {
        std::snprintf(id, sizeof id, "a5d00001%08x%016x", a * 40000, a);
        out << (a > 1 ? ",\n" : "\n") << R"({"id": ")" << id << R"(", "code": )" << a * 10000
            << u8R"(, "name": "科目)" << a << R"(", "class": "0x40108100"})";
    }
    out << "], \"totals\": [";
    std::uint64_t seed = 7;
    for (int a = 1; a <= accounts + 10; ++a) {
        out << (a > 1 ? ",\n" : "\n") << "{";
        if (a <= accounts) {
            std::snprintf(id, sizeof id, "a5d00001%08x%016x", a * 40000, a);
            out << R"("id": ")" << id << R"(", )";
        }
        out << R"("class": "0x40108100", "side": )" << a % 2 + 1;
        for (const char* column : {"debitExTax", "debitInTax", "creditExTax", "creditInTax"}) {
            out << R"(, ")" << column << R"(": )" << Amounts(seed);
        }
        out << "}";
    }
    out << "]}]}";
    return out.str();
}

void ParseText(benchmark::State& state, const std::string& text) {
    for (auto _ : state) {
        auto host = std::make_unique<hostsim::HostState>();
        hostsim::StateParseError error;
        if (hostsim::ParseHostState(text, *host, error) != hostsim::kStateOk) {
            state.SkipWithError((error.field + ": " + error.reason).c_str());
            break;
        }
        benchmark::DoNotOptimize(host->datasets.data());
        // Freeing the state is not part of reading it.
        state.PauseTiming();
        host.reset();
        state.ResumeTiming();
    }
    state.counters["MB"] = static_cast<double>(text.size()) / 1e6;
    state.counters["MB_per_second"] = benchmark::Counter(
        static_cast<double>(text.size()) / 1e6, benchmark::Counter::kIsIterationInvariantRate);
}

// Argument: accounts. The text is in memory: the reader alone.
void BM_ParseHostState(benchmark::State& state) {
    ParseText(state, GeneratedState(static_cast<int>(state.range(0))));
}
BENCHMARK(BM_ParseHostState)->Arg(500)->Arg(5000)->Arg(50000)->Unit(benchmark::kMillisecond);

// Connect as the program calls it: finding, reading and parsing the file.
void BM_ConnectFromFile(benchmark::State& state) {
    char folder[] = "/tmp/ldg-bench-XXXXXX";
    if (mkdtemp(folder) == nullptr) {
        state.SkipWithError("no temporary folder");
        return;
    }
    const std::string path = std::string(folder) + "/state.json";
    std::ofstream(path, std::ios::binary) << GeneratedState(static_cast<int>(state.range(0)));
    setenv("LDG_HOST_STATE", path.c_str(), 1);
    for (auto _ : state) {
        state.PauseTiming();
        hostsim::ResetSession();
        state.ResumeTiming();
        if (ClHostLink::Instance()->Connect() != 0) {
            state.SkipWithError("Connect failed");
            break;
        }
    }
    hostsim::ResetSession();
    unsetenv("LDG_HOST_STATE");
    std::remove(path.c_str());
    std::remove(folder);
}
BENCHMARK(BM_ConnectFromFile)->Arg(50000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (const char* file = std::getenv("LDG_BENCH_STATE"); file != nullptr && *file != '\0') {
        std::ifstream in(file, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        benchmark::RegisterBenchmark("BM_ParseHostState/LDG_BENCH_STATE", ParseText, text.str())
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
