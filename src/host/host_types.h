// Plain types shared by the host library calls.
#pragma once

#include <cstdint>

// A window handle as the host libraries take it: opaque, no <windows.h>.
using HostWindow = void*;

// Supplied by LdgEnvMgr: which kind of client links with the host.
enum ClientKind : std::int32_t {
    kClientKindLinkageComponent = 4,
};

enum DataUsage : std::int32_t {
    kDataUsageReadOnly = 1,
};

enum TableKind : std::int32_t {
    kTableAccounts = 1,
    kTableTaxSettings = 4,
    kTableDatasets = 5,
};

enum FolderKind : std::int32_t {
    kFolderOutput = 0,
    kFolderConditions = 1,
};

enum TotalsBasis : std::int32_t { kTotalsBasisAccounts = 1 };
enum TotalsDepartmentMode : std::int32_t { kTotalsNoDepartments = 0 };
enum TotalsDisplayKind : std::int32_t { kTotalsDisplayPlain = 0 };
enum TotalsPastMode : std::int32_t { kTotalsCurrentYear = 0 };

// Results of the host's cursor and query steps.
constexpr std::int32_t kHostOk = 0;
constexpr std::int32_t kHostNoMoreRows = 5000;

// A cursor over a host table; the host owns what it points to.
struct HostCursorState;
using HostCursor = HostCursorState*;

// Department records are never passed (the totals are not split by
// department); the type exists for the query's signature only.
struct DepartmentRecord;
