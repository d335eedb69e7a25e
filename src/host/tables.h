// LdgBCore: the host's tables.
#pragma once

#include <cstdint>

#include "host/account_filter.h"
#include "host/host_api.h"
#include "host/host_records.h"
#include "host/host_types.h"

class ClTableSet;

class LDG_BCORE_API ClTableBase {
  public:
    virtual ~ClTableBase();
    void AttachTableSet(ClTableSet* tableSet);
    void SetDatasetId(const char* datasetId);

  protected:
    ClTableBase() = default;
};

class LDG_BCORE_API ClDatasetTable : public ClTableBase {
  public:
    std::int32_t OpenDatasetCursor(HostCursor* cursor);
    std::int32_t PrepareDatasetCursor(HostCursor cursor, std::int32_t mode);
    // 0 while it delivers a record.
    std::int32_t NextDataset(DatasetRecord* record, HostCursor cursor);
    std::int32_t CloseDatasetCursor(HostCursor cursor);
    // The dataset that is open in the host.
    std::int32_t GetSelectedDataset(DatasetRecord* record);
};

class LDG_BCORE_API ClAccountTable : public ClTableBase {
  public:
    std::int32_t OpenCursor(HostCursor* cursor);
    std::int32_t PrepareCursor(HostCursor cursor);
    // Each 0 while it delivers a record.
    std::int32_t NextRecord(AccountRecord* record, HostCursor cursor);
    std::int32_t NextMatch(const AccountFilter* filter, AccountRecord* record, HostCursor cursor);
    std::int32_t CloseCursor(HostCursor cursor);
};

class LDG_BCORE_API ClTaxSettingsTable : public ClTableBase {
  public:
    // 0 when the settings were read.
    std::int32_t ReadSettings(TaxSettingsRecord* record);
};
