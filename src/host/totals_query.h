// LdgBCore: the account totals query.
#pragma once

#include <cstdint>

#include "host/account_filter.h"
#include "host/host_api.h"
#include "host/host_records.h"
#include "host/host_types.h"

class ClTableSet;
class ClOptionSet;
struct TotalsQueryState;

class LDG_BCORE_API ClQueryBase {
  public:
    virtual ~ClQueryBase();
    void AttachTableSet(ClTableSet* tableSet);
    void SetDatasetId(const char* datasetId);
    void AttachOptions(ClOptionSet* options);

  protected:
    ClQueryBase() = default;
};

class LDG_BCORE_API ClAccountTotalsQuery : public ClQueryBase {
  public:
    ClAccountTotalsQuery();
    ~ClAccountTotalsQuery() override;
    ClAccountTotalsQuery(const ClAccountTotalsQuery&) = delete;
    ClAccountTotalsQuery& operator=(const ClAccountTotalsQuery&) = delete;

    std::int32_t BeginTotals(TotalsBasis basis, TotalsDepartmentMode departmentMode,
                             TotalsDisplayKind displayKind, const AccountFilter* filter,
                             const DepartmentRecord* department, TotalsPastMode pastMode);
    std::int32_t GetRowCount(std::int32_t* count);
    std::int32_t SeekRow(std::int32_t row);
    // 0 a row, kHostNoMoreRows after the last, anything else an error.
    std::int32_t NextRow(AccountTotalsRecord* record);
    std::int32_t EndTotals();

  private:
    TotalsQueryState* state_;
};
