// Times Connect reading the state file named by LDG_HOST_STATE, as every
// program start does, natively or under Wine (where Google Benchmark is not
// built). Prints one line: runs=, connect=, min_ms=, median_ms=.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "host/host_link.h"
#include "hostsim/host_session.h"

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    std::vector<double> milliseconds;
    int connect = 0;
    for (int run = 0; run < runs; ++run) {
        hostsim::ResetSession();
        const auto start = std::chrono::steady_clock::now();
        connect = ClHostLink::Instance()->Connect();
        const std::chrono::duration<double, std::milli> took =
            std::chrono::steady_clock::now() - start;
        milliseconds.push_back(took.count());
    }
    std::sort(milliseconds.begin(), milliseconds.end());
    std::printf("runs=%d connect=%d min_ms=%.1f median_ms=%.1f\n", runs, connect, milliseconds[0],
                milliseconds[milliseconds.size() / 2]);
    return connect == 0 ? 0 : 1;
}
