// Any bytes as a host state file: the reader answers 0, 2 or 3, names the
// field of a failure, and never reads or writes outside its buffers. It
// reads libFuzzer's buffer itself, which ends exactly where the input does,
// as a mapped state file may.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "hostsim/host_state.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    hostsim::HostState state;
    hostsim::StateParseError error;
    const hostsim::StateParseResult result = hostsim::ParseHostState(text, state, error);
    if (result != hostsim::kStateOk && result != hostsim::kStateTextNotConvertible &&
        result != hostsim::kStateMalformed) {
        __builtin_trap();
    }
    if (result != hostsim::kStateOk && error.field.empty()) __builtin_trap();
    if (state.results.nextRowDelayMs < 0 || state.results.nextRowDelayMs > 60000) __builtin_trap();
    // Whatever was accepted must read back within its fields.
    for (const hostsim::DatasetEntry& dataset : state.datasets) {
        if (dataset.record.CompanyName().size() >= DatasetRecord::kCompanyNameWidth)
            __builtin_trap();
        for (const hostsim::AccountEntry& account : dataset.accounts) {
            if (account.record.Name().size() >= AccountRecord::kNameWidth) __builtin_trap();
        }
    }
    return 0;
}
