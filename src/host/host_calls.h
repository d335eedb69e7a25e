// The host seen through its own libraries: every call the program makes
// into them, in the order the host expects.
#pragma once

#include "host/host.h"

class HostCalls final : public Host {
  public:
    std::int32_t Connect(const char* messageTitle) override;
    void SetOwnerWindow(HostWindow owner) override;
    std::int32_t JoinSession() override;
    void ShowMessage(HostWindow owner, const std::string& text, const char* title,
                     std::uint32_t style) override;
    void Close() override;

    UserSelection CurrentUser() override;
    bool FindDataset(std::int32_t datasetNo, DatasetRecord& record) override;
    bool TaxInclusiveDefault() override;
    std::string FolderPath(FolderKind kind) override;
    void ReleaseFolders() override;
    bool AccountingMonthOfFirstDay(std::int32_t periodStart, std::int32_t periodEnd,
                                   std::int16_t& month) override;
    void WalkAccounts(const AccountFilter* filter, const AccountVisitor& visit) override;
    std::unique_ptr<TotalsQuery> OpenTotalsQuery() override;
};
