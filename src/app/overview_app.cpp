#include "app/overview_app.h"

#include <exception>

#include "aggregate/detail_builder.h"
#include "aggregate/totals_aggregator.h"
#include "aggregate/totals_filter.h"
#include "app/dataset_texts.h"
#include "app/program_level.h"
#include "model/account_directory.h"
#include "model/fiscal_months.h"
#include "model/shift_jis_text.h"
#include "report/detail_document.h"
#include "report/overview_report.h"

const char ClOverviewApp::kMessageTitle[] = "事業概況書";
const char ClOverviewApp::kPastResultsMessage[] =
    "過去実績データは、連携の対象として使用できません。\n\nアプリケーションを終了します。";
const char ClOverviewApp::kDatasetNotFoundMessage[] =
    "開いているデータの会社情報を読み込めませんでした。\n\nアプリケーションを終了します。";
std::string ClOverviewApp::ReportWrittenMessage(const DetailOutcome& detail) {
    const std::string detailLines = detail.fileName.empty()
                                        ? std::string("集計明細を保存できませんでした。")
                                        : "集計明細：" + detail.fileName + "\n点検：要確認 " +
                                              std::to_string(detail.findings.checks) + "件、参考 " +
                                              std::to_string(detail.findings.notes) + "件";
    return "事業概況情報の出力が終了しました。\n" + detailLines +
           "\n\nアプリケーションを終了します。";
}
const char ClOverviewApp::kReportFailedMessage[] =
    "XMLファイルの出力に失敗しました。\n\nアプリケーションを終了します。";
const char ClOverviewApp::kUnexpectedFailureMessage[] =
    "予期しないエラーが発生したため、処理を中止しました。\n\nアプリケーションを終了します。";
const char ClOverviewApp::kPresetPathTooLongMessage[] =
    "会計アプリケーションから指定された出力先のパスが長すぎます。\n\n"
    "アプリケーションを終了します。";
const char ClOverviewApp::kPresetPathUnconvertibleMessage[] =
    "会計アプリケーションから指定された出力先のパスに、使用できない文字が含まれています。\n\n"
    "アプリケーションを終了します。";
const char ClOverviewApp::kProgramFolderUnconvertibleMessage[] =
    "このプログラムのインストール先のフォルダ名に、使用できない文字が含まれています。\n\n"
    "アプリケーションを終了します。";
const char ClOverviewApp::kDatasetChangedMessage[] =
    "開いているデータが変更されたため、処理を中止しました。\n\nアプリケーションを終了します。";

namespace {
constexpr std::uint32_t kExclamationOk = 0x30;  // MB_OK | MB_ICONEXCLAMATION
constexpr std::int16_t kPastResultsIntroMonth = 99;
}  // namespace

ClOverviewApp::ClOverviewApp(Host& host, Desktop& desktop, AppWindows& windows,
                             FileSystem& fileSystem, const EditionInfo& edition)
    : host_(host),
      desktop_(desktop),
      windows_(windows),
      fileSystem_(fileSystem),
      edition_(edition) {}

int ClOverviewApp::ReadLaunchArguments(const std::string& commandLine) {
    LaunchArguments arguments;
    const int complete = ::ReadLaunchArguments(commandLine, arguments);
    hostWindow = WindowFromHandleNumber(arguments.hostWindow);
    notifyMessage = arguments.notifyMessage;
    functionId = arguments.functionId;
    presetOutputPath = arguments.presetOutputPath;
    presetPathTooLong = arguments.presetPathTooLong;
    return complete;
}

int ClOverviewApp::CheckProgramLevel() {
    std::string bytes;
    const bool exists = fileSystem_.ReadWholeFile(LevelFilePath(desktop_.CurrentFolder()), bytes) ==
                        FileRead::kRead;
    const int code = ProgramLevelCode(exists, bytes);
    if (code == kLevelAccepted) return 1;
    host_.ShowMessage(hostWindow, ProgramLevelMessage(code), kMessageTitle, kExclamationOk);
    return 0;
}

int ClOverviewApp::LookUpDataset(DatasetRecord& record) {
    user_ = host_.CurrentUser();
    return host_.FindDataset(user_.second, record) ? 1 : 0;
}

void ClOverviewApp::InitInstance() {
    try {
        // A host that refuses the link hears nothing: the program ends silently.
        if (host_.Connect(kMessageTitle) != kHostOk) return;
        const SystemText commandLine = desktop_.CommandLine();
        commandLineIncomplete = !commandLine.complete;
        if (ReadLaunchArguments(commandLine.text) == 1) {
            launchedByHost = 1;
            desktop_.EnableWindow(hostWindow, false);
            host_.SetOwnerWindow(hostWindow);
        }
        Run();
    } catch (...) {
        ReportUnexpectedFailure();
    }
}

void ClOverviewApp::ReportUnexpectedFailure() {
    completionCode = kCompletionFailed;
    // The windows of the run are gone by now; the message must not take
    // the end sequence with it if it fails too.
    try {
        desktop_.ShowWaitCursor(false);
        desktop_.ShowMessage(nullptr, kUnexpectedFailureMessage, MessageKind::kError);
    } catch (...) {
    }
}

void ClOverviewApp::Run() {
    // The level file and the edition's data files lie beside the program.
    const std::string programFolder = desktop_.ProgramFolder();
    if (programFolder.empty()) {
        // Any other name for it would be another folder.
        desktop_.ShowMessage(nullptr, kProgramFolderUnconvertibleMessage, MessageKind::kError);
        completionCode = kCompletionFailed;
        return;
    }
    desktop_.SetCurrentFolder(programFolder);
    if (CheckProgramLevel() == 0) {
        completionCode = kCompletionFailed;
        return;
    }
    const std::int32_t joined = host_.JoinSession();
    if (joined != kHostOk) {
        completionCode = joined == 1 ? kCompletionStopped : kCompletionFailed;
        return;
    }
    DatasetRecord dataset;
    if (LookUpDataset(dataset) == 0) {
        // Conditions entered for an all-zero dataset could only fail later.
        desktop_.ShowMessage(nullptr, kDatasetNotFoundMessage, MessageKind::kError);
        completionCode = kCompletionFailed;
        return;
    }
    if (dataset.IntroMonth() == kPastResultsIntroMonth) {
        desktop_.ShowMessage(nullptr, kPastResultsMessage, MessageKind::kError);
        completionCode = kCompletionStopped;
        return;
    }
    if (launchedByHost == 1 && presetPathTooLong) {
        // The sheet would offer another path, and the XML would land where
        // the host never looks.
        desktop_.ShowMessage(nullptr, kPresetPathTooLongMessage, MessageKind::kError);
        completionCode = kCompletionFailed;
        return;
    }
    if (launchedByHost == 1 && commandLineIncomplete) {
        // With "?" in the place of what it cannot hold, the path is not the
        // host's; the best fit would be another one (a yen sign taken for
        // a backslash).
        desktop_.ShowMessage(nullptr, kPresetPathUnconvertibleMessage, MessageKind::kError);
        completionCode = kCompletionFailed;
        return;
    }
    RunConditionSheet(dataset);
}

void ClOverviewApp::RunConditionSheet(const DatasetRecord& dataset) {
    ClConditionEntrySheet sheet(host_);
    AggregationConditions& conditions = sheet.conditions;
    conditions.userId = user_.userId;
    conditions.selectionFirst = user_.first;
    conditions.selectionSecond = user_.second;
    if (launchedByHost == 1) conditions.outputPath = presetOutputPath;
    conditions.periodStart = dataset.PeriodStart();
    conditions.periodEnd = dataset.PeriodEnd();
    conditions.introMonth = dataset.IntroMonth();
    conditions.netAssetsStyle = dataset.NetAssetsStyle();
    sheet.page1.companyText = CompanyDisplayText(dataset.CompanyName());
    sheet.page1.periodText = PeriodDisplayText(dataset.PeriodStart(), dataset.PeriodEnd());
    sheet.currentMapping = &currentMapping;
    sheet.itemCatalogue = &itemCatalogue;
    sheet.dataset = &dataset;
    sheet.edition = &edition_;
    sheet.fileSystem = &fileSystem_;

    const int endCode =
        windows_.RunConditionSheet(sheet, launchedByHost == 1 ? hostWindow : nullptr);
    if (endCode != ClConditionEntrySheet::kRunResult) {
        completionCode = endCode == ClConditionEntrySheet::kFailedResult ? kCompletionFailed
                                                                         : kCompletionStopped;
        return;
    }
    AggregateAndReport(sheet.conditions, dataset, sheet.accounts);
}

void ClOverviewApp::AggregateAndReport(const AggregationConditions& conditions,
                                       const DatasetRecord& dataset,
                                       const AccountDirectory& accounts) {
    ClProgressWindow progress(windows_.CreateProgressView());
    progress.Create();
    if (launchedByHost == 1) progress.SetParent(hostWindow);
    progress.Show();
    desktop_.ShowWaitCursor(true);
    progress.BeginProgress();
    bool written = false;
    bool datasetChanged = false;
    DetailOutcome detail;
    {
        const AccountFilter filter =
            PrepareTotalsFilter(host_, dataset, conditions.startMonth, conditions.endMonth);
        ClTotalsAggregator aggregator(host_, progress, currentMapping, itemCatalogue);
        // The detail is read from what the aggregation did, as it did it.
        AggregationRecord record;
        aggregator.RecordInto(&record);
        // A failed aggregation leaves partial amounts: no report is written
        // from them.
        if (aggregator.Aggregate(conditions.taxInclusive != 0 ? 1 : 0, filter, dataset) == 1) {
            ClOverviewReport report(progress, itemCatalogue, edition_, fileSystem_);
            report.SetProgressBase(ClOverviewReport::kDefaultProgressBase);
            report.SetMessageSink([this](const std::string& text) {
                desktop_.ShowMessage(nullptr, text, MessageKind::kError);
            });
            written = report.WriteReport(conditions.outputPath, functionId, conditions.startMonth,
                                         dataset) == 1;
        }
        datasetChanged = aggregator.DatasetChanged();
        if (written) detail = WriteDetail(conditions, dataset, filter, record, accounts);
    }
    // The hidden window still owns the closing message.
    progress.Hide();
    desktop_.ShowWaitCursor(false);
    if (written) {
        desktop_.ShowMessage(progress.Window(), ReportWrittenMessage(detail),
                             MessageKind::kInformation);
        completionCode = kCompletionWritten;
    } else {
        desktop_.ShowMessage(progress.Window(),
                             datasetChanged ? kDatasetChangedMessage : kReportFailedMessage,
                             MessageKind::kError);
        completionCode = kCompletionFailed;
    }
    progress.Destroy();
}

ClOverviewApp::DetailOutcome ClOverviewApp::WriteDetail(const AggregationConditions& conditions,
                                                        const DatasetRecord& dataset,
                                                        const AccountFilter& filter,
                                                        const AggregationRecord& record,
                                                        const AccountDirectory& accounts) {
    try {
        DetailHeading heading;
        heading.run = DetailRunOf(filter, dataset, conditions);
        const AggregationDetail detail =
            BuildAggregationDetail(record, itemCatalogue, currentMapping, accounts, heading.run);

        heading.companyName = dataset.CompanyName();
        heading.periodStart = dataset.PeriodStart();
        heading.periodEnd = dataset.PeriodEnd();
        heading.firstMonth = conditions.startMonth;
        heading.firstYear = FirstMonthYear(dataset.PeriodStart(), conditions.startMonth);
        heading.editionName = edition_.displayName;
        heading.runTime = desktop_.Now();
        heading.xmlPath = conditions.outputPath;

        const std::string path = DetailDocumentPath(conditions.outputPath);
        if (!WriteDetailDocument(fileSystem_, path,
                                 DetailDocumentText(heading, itemCatalogue, detail))) {
            return {};
        }
        const std::size_t folderEnd = FindLastSingleByte(path, "\\/:");
        return {folderEnd == std::string::npos ? path : path.substr(folderEnd + 1),
                CountFindings(detail.findings)};
    } catch (const std::exception&) {
        return {};
    }
}

void ClOverviewApp::EndAfterCrash() {
    // A fault while ending after a crash: what could be done is under way.
    if (endingAfterCrash_) return;
    endingAfterCrash_ = true;
    completionCode = kCompletionFailed;
    if (!completing_) {
        completing_ = true;
        if (launchedByHost == 1) TellHostAfterCrash();
    }
    ReportUnexpectedFailure();
    ExitInstance();
    // Back in front once the user has read the message.
    if (launchedByHost == 1) {
        try {
            desktop_.BringToForeground(hostWindow);
            desktop_.EnableWindow(hostWindow, true);
        } catch (...) {
        }
    }
}

void ClOverviewApp::TellHostAfterCrash() {
    try {
        desktop_.EnableWindow(hostWindow, true);
        desktop_.PostMessageTo(hostWindow, static_cast<std::uint32_t>(notifyMessage),
                               static_cast<std::intptr_t>(functionId), kCompletionFailed);
    } catch (...) {
    }
}

void ClOverviewApp::ExitInstance() {
    if (exited_) return;
    exited_ = true;
    currentMapping.Clear();
    itemCatalogue.Clear();
    try {
        host_.Close();
    } catch (...) {
        completionCode = kCompletionFailed;
    }
    // A crash while closing has posted the completion already.
    if (completing_) return;
    completing_ = true;
    if (launchedByHost != 1) return;
    try {
        PostCompletion();
    } catch (...) {
        // The host window must not stay disabled whatever failed.
        desktop_.EnableWindow(hostWindow, true);
    }
}

void ClOverviewApp::PostCompletion() {
    desktop_.BringToForeground(hostWindow);
    desktop_.EnableWindow(hostWindow, true);
    // Sign-extended: a function id of -1 arrives with all bits set.
    desktop_.PostMessageTo(hostWindow, static_cast<std::uint32_t>(notifyMessage),
                           static_cast<std::intptr_t>(functionId), completionCode);
    desktop_.EnableWindow(hostWindow, true);
}
