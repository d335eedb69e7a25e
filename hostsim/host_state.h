// What the stand-in knows of the host: read once from the host state file.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/host_records.h"

namespace hostsim {

struct HostResults {
    std::int32_t connect = 0;
    std::int32_t joinHostSession = 0;
    std::int32_t readSettings = 0;
    std::int32_t getRowCount = 0;
    // Non-zero: what GetRowCount returns in the first totals query the
    // process begins, in place of getRowCount.
    std::int32_t firstQueryGetRowCount = 0;
    std::int32_t seekRow = 0;
    std::int32_t nextRowFailAt = -1;
    std::int32_t nextRowFailCode = 1;
    // The 0-based NextRow call that crashes as a faulty library would; -1: none.
    std::int32_t nextRowCrashAt = -1;
    // How long each NextRow takes, in milliseconds.
    std::int32_t nextRowDelayMs = 0;
    // Non-zero: SignOut crashes as well.
    std::int32_t signOutCrash = 0;
    // The dataset number that becomes the open one when a totals query is made.
    std::optional<std::int32_t> switchDatasetAtTotals;
};

struct AccountEntry {
    AccountRecord record;
    std::uint32_t classCode = 0;
};

struct DatasetEntry {
    DatasetRecord record;
    bool taxInclusiveDefault = false;
    std::vector<AccountEntry> accounts;
    std::vector<AccountTotalsRecord> totals;
};

// Texts are Shift_JIS, as the program receives them; journalPath stays
// UTF-8 because only the stand-in opens it.
struct HostState {
    std::string packageName;
    std::string userId = "admin";
    std::int32_t selectionFirst = 1;
    std::int32_t selectionSecond = 1;
    std::string outputFolder;
    std::string conditionsFolder;
    HostResults results;
    std::string journalPath;
    std::vector<DatasetEntry> datasets;

    HostState();
    // The dataset whose number is the second selection number, or null.
    const DatasetEntry* OpenDataset() const;
};

enum StateParseResult : std::int32_t {
    kStateOk = 0,
    kStateTextNotConvertible = 2,
    kStateMalformed = 3,
};

struct StateParseError {
    std::string field;   // e.g. "datasets[0].accounts[2].id"
    std::string reason;  // e.g. "not 32 hexadecimal digits"
};

// Reads a host state file's text. On failure `state` is left as it was
// and `error` names the field and the reason.
StateParseResult ParseHostState(std::string_view json, HostState& state, StateParseError& error);

}  // namespace hostsim
