// The stand-in as the programs see it: loaded as DLLs and called through
// their import libraries, under Wine.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "host/data_hub.h"
#include "host/env_manager.h"
#include "host/fiscal_calendar.h"
#include "host/folder_service.h"
#include "host/host_link.h"
#include "host/tables.h"
#include "host/totals_query.h"

namespace {

std::wstring TempFile(const wchar_t* name) {
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + name;
}

void WriteUtf8(const std::wstring& path, const std::string& text) {
    FILE* file = _wfopen(path.c_str(), L"wb");
    ASSERT_NE(file, nullptr);
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
}

TEST(HostDlls, EveryCalledHostLibraryIsASeparateDll) {
    for (const wchar_t* name :
         {L"LdgLink.dll", L"LdgCmn.dll", L"LdgBCore.dll", L"LdgFileMgr.dll"}) {
        EXPECT_NE(GetModuleHandleW(name), nullptr) << "not loaded: " << name;
    }
}

// The C entry points are found by their plain names, as a 32-bit caller
// that loads them by name expects (a __stdcall export would be Name@N).
TEST(HostDlls, CEntryPointsAreExportedUndecorated) {
    const struct {
        const wchar_t* dll;
        const char* entry;
    } exports[] = {{L"LdgMsgMgr.dll", "LdgMsgMgrVersion"}, {L"LdgEnvMgr.dll", "LdgEnvMgrVersion"}};
    for (const auto& e : exports) {
        HMODULE module = LoadLibraryW(e.dll);
        ASSERT_NE(module, nullptr) << "cannot load " << e.entry;
        using Version = int(LDG_C_CALL*)();
        const auto version =
            reinterpret_cast<Version>(reinterpret_cast<void*>(GetProcAddress(module, e.entry)));
        ASSERT_NE(version, nullptr) << "not exported by its plain name: " << e.entry;
        EXPECT_EQ(version(), 1) << e.entry;
        FreeLibrary(module);
    }
}

// One process, one link: the whole sequence of calls in one test.
TEST(HostDlls, CallsReachTheStateThroughTheDlls) {
    const std::wstring state = TempFile(L"ldg-win-test-state.json");
    WriteUtf8(state,
              u8R"({
      "user": {"id": "sato", "selection": [2, 5]},
      "folders": {"output": "C:\\出力\\"},
      "datasets": [{"id": "DS5", "no": 5, "company": "株式会社見本商事", "cutoffDay": 25,
        "periodStart": 20250401, "periodEnd": 20260331, "taxInclusiveDefault": 1,
        "accounts": [{"id": "00112233445566778899aabbccddeeff", "code": 11100000,
                      "name": "現金", "class": "0x80818000"}],
        "totals": [{"side": 1, "debitExTax": [1,2,3,4,5,6,7,8,9,10,11,12,13,14,15]}]}]})");
    SetEnvironmentVariableW(L"LDG_HOST_STATE", state.c_str());

    ClHostLink* link = ClHostLink::Instance();
    ASSERT_EQ(link->Connect(), 0);
    EXPECT_EQ(link->JoinHostSession(), 0);

    auto* datasets =
        static_cast<ClDatasetTable*>(ClDataHub::Instance()->GetTable(kTableDatasets, 1));
    DatasetRecord dataset;
    ASSERT_EQ(datasets->GetSelectedDataset(&dataset), 0);
    EXPECT_EQ(dataset.CompanyName(), "株式会社見本商事") << "converted to Shift_JIS by the DLL";

    char userId[65] = {};
    ClDataHub::Instance()->GetUserDirectory()->GetCurrentUserId(userId);
    EXPECT_STREQ(userId, "sato");
    EXPECT_STREQ(ClFolderService::Instance()->GetFolderPath(kFolderOutput), "C:\\出力\\");

    auto* accounts =
        static_cast<ClAccountTable*>(ClDataHub::Instance()->GetTable(kTableAccounts, 1));
    HostCursor cursor = nullptr;
    accounts->OpenCursor(&cursor);
    accounts->PrepareCursor(cursor);
    AccountFilter filter;
    filter.Condition(0).Set(kFieldAccountClass, kOperatorEqual, kValueUint32, 0x80818000u,
                            kLinkNone);
    AccountRecord account;
    ASSERT_EQ(accounts->NextMatch(&filter, &account, cursor), 0);
    EXPECT_EQ(account.Name(), "現金");
    EXPECT_EQ(accounts->NextMatch(&filter, &account, cursor), kHostNoMoreRows);
    accounts->CloseCursor(cursor);

    ClAccountTotalsQuery* query = new ClAccountTotalsQuery;
    query->BeginTotals(kTotalsBasisAccounts, kTotalsNoDepartments, kTotalsDisplayPlain, &filter,
                       nullptr, kTotalsCurrentYear);
    std::int32_t count = 0;
    ASSERT_EQ(query->GetRowCount(&count), 0);
    EXPECT_EQ(count, 1);
    AccountTotalsRecord row;
    ASSERT_EQ(query->NextRow(&row), 0);
    EXPECT_EQ(row.Amount(AccountTotalsRecord::Column::kDebitExTax, 14), 15);
    EXPECT_EQ(query->NextRow(&row), kHostNoMoreRows);
    ClQueryBase* asBase = query;
    delete asBase;  // the program destroys it through the base's virtual destructor

    ClFiscalCalendar calendar;
    std::int32_t cutoff = 0;
    calendar.CutoffDayFromEndDate(20260325, 0, &cutoff);  // books closing on the 25th
    calendar.SetCutoffDay(cutoff);
    std::int32_t month = 0;
    calendar.MonthIndexOfDate(20250426, &month, 0);
    EXPECT_EQ(month, 5);

    link->SignOut();
    link->Disconnect();
    link->ReleaseInstance();
    DeleteFileW(state.c_str());
}

}  // namespace
