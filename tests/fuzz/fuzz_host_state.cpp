// Any bytes as a host state file: the reader answers 0, 2 or 3 and never
// reads or writes outside its buffers. It also answers as the nlohmann DOM
// reader did: the same result, field and reason (the text after "not JSON"
// aside), and the same records, except where it is stricter on purpose
// (a key given twice, nesting deeper than the reader follows, text after
// a NUL that follows the value).
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "hostsim/host_state.h"
#include "tests/fuzz/host_state_dom.h"

namespace {

template <typename Record>
bool SameBytes(const Record& a, const Record& b) {
    return std::memcmp(a.Data(), b.Data(), Record::kSize) == 0;
}

bool SameState(const hostsim::HostState& a, const hostsim::HostState& b) {
    const auto& r = a.results;
    const auto& s = b.results;
    if (a.packageName != b.packageName || a.userId != b.userId ||
        a.selectionFirst != b.selectionFirst || a.selectionSecond != b.selectionSecond ||
        a.outputFolder != b.outputFolder || a.conditionsFolder != b.conditionsFolder ||
        a.journalPath != b.journalPath || r.connect != s.connect ||
        r.joinHostSession != s.joinHostSession || r.readSettings != s.readSettings ||
        r.getRowCount != s.getRowCount || r.seekRow != s.seekRow ||
        r.nextRowFailAt != s.nextRowFailAt || r.nextRowFailCode != s.nextRowFailCode ||
        a.datasets.size() != b.datasets.size()) {
        return false;
    }
    for (std::size_t d = 0; d < a.datasets.size(); ++d) {
        const hostsim::DatasetEntry& x = a.datasets[d];
        const hostsim::DatasetEntry& y = b.datasets[d];
        if (!SameBytes(x.record, y.record) || x.cutoffDay != y.cutoffDay ||
            x.taxInclusiveDefault != y.taxInclusiveDefault ||
            x.accounts.size() != y.accounts.size() || x.totals.size() != y.totals.size()) {
            return false;
        }
        for (std::size_t i = 0; i < x.accounts.size(); ++i) {
            if (!SameBytes(x.accounts[i].record, y.accounts[i].record) ||
                x.accounts[i].classCode != y.accounts[i].classCode) {
                return false;
            }
        }
        for (std::size_t i = 0; i < x.totals.size(); ++i) {
            if (!SameBytes(x.totals[i], y.totals[i])) return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    hostsim::HostState state;
    hostsim::StateParseError error;
    const hostsim::StateParseResult result = hostsim::ParseHostState(text, state, error);
    if (result != hostsim::kStateOk && result != hostsim::kStateTextNotConvertible &&
        result != hostsim::kStateMalformed) {
        __builtin_trap();
    }
    if (result != hostsim::kStateOk && error.field.empty()) __builtin_trap();
    // Whatever was accepted must read back within its fields.
    for (const hostsim::DatasetEntry& dataset : state.datasets) {
        if (dataset.record.CompanyName().size() >= DatasetRecord::kCompanyNameWidth)
            __builtin_trap();
        for (const hostsim::AccountEntry& account : dataset.accounts) {
            if (account.record.Name().size() >= AccountRecord::kNameWidth) __builtin_trap();
        }
    }

    // The DOM reader also took a NUL after the value for the end of the text.
    const bool stricter = error.reason == "given more than once in its object" ||
                          error.reason.find("nested too deep") != std::string::npos ||
                          (error.reason.find("goes on after the value") != std::string::npos &&
                           text.find('\0') != std::string::npos);
    if (stricter) return 0;
    hostsim::HostState reference;
    hostsim::StateParseError referenceError;
    const hostsim::StateParseResult referenceResult =
        hostsim::ParseHostStateDom(text, reference, referenceError);
    if (result != referenceResult || error.field != referenceError.field) __builtin_trap();
    if (result == hostsim::kStateOk && !SameState(state, reference)) __builtin_trap();
    if (error.field != "(file)" && error.reason != referenceError.reason) __builtin_trap();
    return 0;
}
