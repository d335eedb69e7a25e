// The program's single application object: the run from the host's start
// to the completion message.
#pragma once

#include <cstdint>
#include <string>

#include "aggregate/aggregation_record.h"
#include "app/app_windows.h"
#include "app/completion_code.h"
#include "app/launch_arguments.h"
#include "host/account_filter.h"
#include "host/host.h"
#include "host/host_records.h"
#include "model/account_directory.h"
#include "model/aggregation_detail.h"
#include "model/item_catalogue.h"
#include "model/mapping_list.h"
#include "platform/desktop.h"
#include "platform/file_system.h"
#include "res/edition_info.h"

class ClOverviewApp {
  public:
    static const char kMessageTitle[];
    static const char kPastResultsMessage[];
    static const char kDatasetNotFoundMessage[];
    // What became of the detail document beside the XML: its file name, ""
    // when it could not be saved, and how many findings it lists.
    struct DetailOutcome {
        std::string fileName;
        FindingCounts findings;
    };
    // The closing message after the XML was written: it names the detail
    // and counts its findings, or says that the detail could not be saved.
    static std::string ReportWrittenMessage(const DetailOutcome& detail);
    static const char kReportFailedMessage[];
    static const char kUnexpectedFailureMessage[];
    static const char kPresetPathTooLongMessage[];

    ClOverviewApp(Host& host, Desktop& desktop, AppWindows& windows, FileSystem& fileSystem,
                  const EditionInfo& edition);

    // The run; on every path the caller then calls ExitInstance. An
    // unexpected failure (an exception, memory exhausted) ends the run with
    // one message and completion code 2; nothing escapes.
    void InitInstance();
    // The end sequence: sign out of the host and tell it the outcome. Each
    // step runs whatever the one before it did.
    void ExitInstance();
    // After a crash nothing handled: the unexpected failure's message and
    // code, then the end sequence, unless it has run already.
    void EndAfterCrash();

    int ReadLaunchArguments(const std::string& commandLine);
    // 1 when the installation accepts this component's level; else 0,
    // after the reason has been shown.
    int CheckProgramLevel();
    // 1 with the open dataset's record; 0 when no dataset matches.
    int LookUpDataset(DatasetRecord& record);

    std::int32_t launchedByHost = 0;
    WindowRef hostWindow = nullptr;
    std::int32_t notifyMessage = 0;
    std::int16_t functionId = 2;
    std::string presetOutputPath;
    bool presetPathTooLong = false;
    std::int32_t completionCode = kCompletionWritten;
    // The user's mapping and the statement's items, for the whole process:
    // the aggregation and the report use them after the sheet has closed.
    MappingList currentMapping;
    ItemCatalogue itemCatalogue;

  private:
    // Steps from the level check to the report; sets completionCode.
    void Run();
    void RunConditionSheet(const DatasetRecord& dataset);
    // Totals the accounts and writes the report under the progress
    // window; sets completionCode and tells the user the outcome.
    // `accounts` is the sheet's chart of accounts, read once for the run.
    void AggregateAndReport(const AggregationConditions& conditions, const DatasetRecord& dataset,
                            const AccountDirectory& accounts);
    // Writes the aggregation detail beside the XML from the run's record.
    // Nothing that fails here reaches the XML or the completion code.
    DetailOutcome WriteDetail(const AggregationConditions& conditions, const DatasetRecord& dataset,
                              const AccountFilter& filter, const AggregationRecord& record,
                              const AccountDirectory& accounts);
    void PostCompletion();
    void ReportUnexpectedFailure();

    Host& host_;
    Desktop& desktop_;
    AppWindows& windows_;
    FileSystem& fileSystem_;
    const EditionInfo& edition_;
    // The current user and the selection numbers, looked up once.
    UserSelection user_;
    bool exited_ = false;
    // The completion is on its way to the host: a crash now has nothing
    // left to end.
    bool completing_ = false;
};
