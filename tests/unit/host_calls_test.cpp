// The stand-in's calls as the program makes them, against a state file.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "host/data_hub.h"
#include "host/folder_service.h"
#include "host/host_link.h"
#include "host/tables.h"
#include "host/totals_query.h"
#include "tests/unit/host_fixture.h"

namespace {

class HostCalls : public HostFixture {
  protected:
    void Connect(const std::string& body) {
        WriteState(body);
        ASSERT_EQ(ClHostLink::Instance()->Connect(), 0);
    }
    static ClDatasetTable* Datasets() {
        return static_cast<ClDatasetTable*>(ClDataHub::Instance()->GetTable(kTableDatasets, 1));
    }
    static ClAccountTable* Accounts() {
        return static_cast<ClAccountTable*>(ClDataHub::Instance()->GetTable(kTableAccounts, 1));
    }
    static std::vector<std::int32_t> MatchingCodes(const AccountFilter& filter) {
        ClAccountTable* table = Accounts();
        HostCursor cursor = nullptr;
        table->OpenCursor(&cursor);
        table->PrepareCursor(cursor);
        std::vector<std::int32_t> codes;
        AccountRecord record;
        while (table->NextMatch(&filter, &record, cursor) == kHostOk)
            codes.push_back(record.Code());
        table->CloseCursor(cursor);
        return codes;
    }
};

TEST_F(HostCalls, ConnectWithoutStateFileGivesOne) {
    EXPECT_EQ(ClHostLink::Instance()->Connect(), 1);
}

TEST_F(HostCalls, MalformedStateFileGivesThreeAndOneLineNamingFileAndField) {
    WriteRawState(R"({"datasets": [{"id": "D", "no": "one"}]})");
    testing::internal::CaptureStderr();
    EXPECT_EQ(ClHostLink::Instance()->Connect(), 3);
    const std::string printed = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(printed.begin(), printed.end(), '\n'), 1) << printed;
    EXPECT_NE(printed.find(statePath_), std::string::npos) << printed;
    EXPECT_NE(printed.find("datasets[0].no"), std::string::npos) << printed;
}

TEST_F(HostCalls, ConnectGivesTheConfiguredResult) {
    WriteState(R"("results": {"connect": 7})");
    EXPECT_EQ(ClHostLink::Instance()->Connect(), 7);
}

TEST_F(HostCalls, JournalKeepsCallsBeforeConnectAndTheirOrder) {
    WriteState(kSampleState);
    ClHostLink* link = ClHostLink::Instance();
    link->SetMessageTitle("事業概況書");
    link->SetClientKind(kClientKindLinkageComponent);
    link->SetDataUsage(1);
    link->Connect();
    link->SetOwnerWindow(reinterpret_cast<HostWindow>(static_cast<std::uintptr_t>(65636)));
    link->JoinHostSession();
    ClDataHub::Instance()->GetTable(kTableDatasets, 1);
    ClAccountTotalsQuery query;
    query.BeginTotals(kTotalsBasisAccounts, kTotalsNoDepartments, kTotalsDisplayPlain, nullptr,
                      nullptr, kTotalsCurrentYear);
    query.SeekRow(0);
    link->SignOut();
    link->Disconnect();
    link->ReleaseInstance();
    EXPECT_EQ(JournalLines(),
              (std::vector<std::string>{"set MessageTitle", "SetClientKind 4", "SetDataUsage 1",
                                        "Connect", "set OwnerWindow 65636", "JoinHostSession",
                                        "GetTable 5 1", "BeginTotals 1 0 0 0", "SeekRow 0",
                                        "SignOut", "Disconnect", "ReleaseInstance"}));
}

TEST_F(HostCalls, FaultResultsAreReturnedAsConfigured) {
    Connect(
        std::string(kSampleState) +
        R"(, "results": {"joinHostSession": 4, "readSettings": 5, "getRowCount": 6, "seekRow": 8})");
    EXPECT_EQ(ClHostLink::Instance()->JoinHostSession(), 4);
    auto* tax =
        static_cast<ClTaxSettingsTable*>(ClDataHub::Instance()->GetTable(kTableTaxSettings, 1));
    TaxSettingsRecord settings;
    EXPECT_EQ(tax->ReadSettings(&settings), 5);
    EXPECT_FALSE(settings.TaxInclusiveDefault()) << "a failed read leaves the record as it was";
    ClAccountTotalsQuery query;
    query.BeginTotals(kTotalsBasisAccounts, kTotalsNoDepartments, kTotalsDisplayPlain, nullptr,
                      nullptr, kTotalsCurrentYear);
    std::int32_t count = -1;
    EXPECT_EQ(query.GetRowCount(&count), 6);
    EXPECT_EQ(query.SeekRow(0), 8);
}

TEST_F(HostCalls, OnlyTheProcesssFirstTotalsQueryCountsRowsWithTheFirstQueryResult) {
    Connect(std::string(kSampleState) + R"(, "results": {"firstQueryGetRowCount": 9})");
    for (const std::int32_t expected : {9, 0, 0}) {
        ClAccountTotalsQuery query;
        query.BeginTotals(kTotalsBasisAccounts, kTotalsNoDepartments, kTotalsDisplayPlain, nullptr,
                          nullptr, kTotalsCurrentYear);
        std::int32_t count = -1;
        EXPECT_EQ(query.GetRowCount(&count), expected);
        EXPECT_EQ(query.GetRowCount(&count), expected) << "the same query asked again";
        query.EndTotals();
    }
}

TEST_F(HostCalls, TotalsRowsComeInFileOrderThenNoMoreRows) {
    Connect(kSampleState);
    ClAccountTotalsQuery query;
    query.BeginTotals(kTotalsBasisAccounts, kTotalsNoDepartments, kTotalsDisplayPlain, nullptr,
                      nullptr, kTotalsCurrentYear);
    std::int32_t count = 0;
    ASSERT_EQ(query.GetRowCount(&count), 0);
    EXPECT_EQ(count, 2);
    ASSERT_EQ(query.SeekRow(0), 0);
    AccountTotalsRecord row;
    ASSERT_EQ(query.NextRow(&row), 0);
    EXPECT_EQ(row.Side(), 1);
    EXPECT_EQ(row.Amount(AccountTotalsRecord::Column::kDebitExTax, 14), -15);
    ASSERT_EQ(query.NextRow(&row), 0);
    EXPECT_EQ(row.ClassCode(), 0x40888000u);
    EXPECT_EQ(row.Unmapped(), 1);
    EXPECT_EQ(row.FigureSource(), 1);
    EXPECT_EQ(query.NextRow(&row), kHostNoMoreRows);
    EXPECT_EQ(query.EndTotals(), 0);
}

TEST_F(HostCalls, TheConfiguredNextRowCallFails) {
    Connect(std::string(kSampleState) +
            R"(, "results": {"nextRowFailAt": 1, "nextRowFailCode": 77})");
    ClAccountTotalsQuery query;
    query.BeginTotals(kTotalsBasisAccounts, kTotalsNoDepartments, kTotalsDisplayPlain, nullptr,
                      nullptr, kTotalsCurrentYear);
    AccountTotalsRecord row;
    EXPECT_EQ(query.NextRow(&row), 0);
    EXPECT_EQ(query.NextRow(&row), 77);
}

TEST_F(HostCalls, DatasetCursorWalksAllDatasetsAndSelectedIsTheOpenOne) {
    Connect(kSampleState);
    ClDatasetTable* table = Datasets();
    HostCursor cursor = nullptr;
    ASSERT_EQ(table->OpenDatasetCursor(&cursor), 0);
    ASSERT_EQ(table->PrepareDatasetCursor(cursor, 0), 0);
    DatasetRecord record;
    std::vector<std::int32_t> numbers;
    while (table->NextDataset(&record, cursor) == 0)
        numbers.push_back(record.DatasetNo());
    EXPECT_EQ(numbers, (std::vector<std::int32_t>{1, 12}));
    EXPECT_EQ(table->CloseDatasetCursor(cursor), 0);
    EXPECT_NE(table->NextDataset(&record, cursor), 0) << "a closed cursor delivers nothing";

    DatasetRecord selected;
    ASSERT_EQ(table->GetSelectedDataset(&selected), 0);
    EXPECT_EQ(selected.DatasetId(), "DS0012");
    EXPECT_EQ(selected.CompanyName(), "株式会社見本商事");
    EXPECT_EQ(selected.PeriodStart(), 20250401);
    EXPECT_EQ(selected.InterimSettlement(), 1);
    EXPECT_EQ(selected.IntroMonth(), 3);
    EXPECT_EQ(selected.NetAssetsStyle(), 1);
}

TEST_F(HostCalls, AccountCursorsMatchFiltersIndependently) {
    Connect(kSampleState);
    AccountFilter all;
    all.Condition(0).Set(kFieldAccountCode, kOperatorNotEqual, kValueInt32, 0, kLinkNone);
    EXPECT_EQ(MatchingCodes(all), (std::vector<std::int32_t>{11100000, 41100000}));
    AccountFilter sales;
    sales.Condition(0).Set(kFieldAccountClass, kOperatorEqual, kValueUint32, 0x40888000u,
                           kLinkNone);
    EXPECT_EQ(MatchingCodes(sales), (std::vector<std::int32_t>{41100000}));

    ClAccountTable* table = Accounts();
    HostCursor first = nullptr;
    HostCursor second = nullptr;
    table->OpenCursor(&first);
    table->OpenCursor(&second);
    table->PrepareCursor(first);
    table->PrepareCursor(second);
    AccountRecord record;
    ASSERT_EQ(table->NextRecord(&record, first), 0);
    ASSERT_EQ(table->NextRecord(&record, first), 0);
    EXPECT_EQ(record.Flag110(), 1);
    EXPECT_EQ(record.Flag112(), 2);
    EXPECT_EQ(record.Name(), "売上高");
    EXPECT_EQ(table->NextRecord(&record, first), kHostNoMoreRows);
    ASSERT_EQ(table->NextRecord(&record, second), 0);
    EXPECT_EQ(record.Code(), 11100000) << "each cursor keeps its own place";
    table->CloseCursor(first);
    table->CloseCursor(second);
}

TEST_F(HostCalls, UserFoldersTaxAndMessages) {
    Connect(kSampleState);
    ClUserDirectory* users = ClDataHub::Instance()->GetUserDirectory();
    char userId[65];
    std::memset(userId, 'x', sizeof userId);
    users->GetCurrentUserId(userId);
    EXPECT_STREQ(userId, "tanaka");
    std::int32_t first = 0;
    std::int32_t second = 0;
    users->GetSelection(userId, &first, &second);
    EXPECT_EQ(first, 3);
    EXPECT_EQ(second, 12);

    EXPECT_STREQ(ClFolderService::Instance()->GetFolderPath(kFolderOutput), "C:\\out\\");
    EXPECT_STREQ(ClFolderService::Instance()->GetFolderPath(kFolderConditions), "C:\\cond\\");

    auto* tax =
        static_cast<ClTaxSettingsTable*>(ClDataHub::Instance()->GetTable(kTableTaxSettings, 1));
    TaxSettingsRecord settings;
    ASSERT_EQ(tax->ReadSettings(&settings), 0);
    EXPECT_TRUE(settings.TaxInclusiveDefault());

    ClHostLink::Instance()->ShowMessage(nullptr, "ES_APRPACKAGENAMEのES_APRPACKAGENAME",
                                        "事業概況書", 0x30);
    ASSERT_EQ(hostsim::Session().shownMessages.size(), 1u);
    EXPECT_EQ(hostsim::Session().shownMessages[0].text, "帳簿丸１８ SELECTの帳簿丸１８ SELECT");
    EXPECT_EQ(hostsim::Session().shownMessages[0].style, 0x30u);
}

TEST_F(HostCalls, UserIdOfSixtyFourBytesFillsTheBuffer) {
    Connect(R"("user": {"id": ")" + std::string(64, 'u') + "\"}");
    char userId[65];
    ClDataHub::Instance()->GetUserDirectory()->GetCurrentUserId(userId);
    EXPECT_EQ(std::string(userId), std::string(64, 'u'));
}

TEST_F(HostCalls, NoOpenDatasetMeansEmptyTablesNotACrash) {
    Connect(
        R"("user": {"selection": [1, 99]}, "datasets": [{"id": "D", "no": 1, "periodStart": 20250401, "periodEnd": 20260331}])");
    DatasetRecord record;
    EXPECT_NE(Datasets()->GetSelectedDataset(&record), 0);
    AccountFilter all;
    all.Condition(0).Set(kFieldAccountCode, kOperatorNotEqual, kValueInt32, 0, kLinkNone);
    EXPECT_TRUE(MatchingCodes(all).empty());
    ClAccountTotalsQuery query;
    query.BeginTotals(kTotalsBasisAccounts, kTotalsNoDepartments, kTotalsDisplayPlain, nullptr,
                      nullptr, kTotalsCurrentYear);
    std::int32_t count = -1;
    EXPECT_EQ(query.GetRowCount(&count), 0);
    EXPECT_EQ(count, 0);
}

}  // namespace
