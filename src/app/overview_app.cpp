#include "app/overview_app.h"

#include "host/host_link.h"

namespace {
const char kMessageTitle[] = "事業概況書";
}

ClOverviewApp::ClOverviewApp(Desktop& desktop) : desktop_(desktop) {}

int ClOverviewApp::ReadLaunchArguments(const std::string& commandLine) {
    LaunchArguments arguments;
    const int complete = ::ReadLaunchArguments(commandLine, arguments);
    hostWindow = WindowFromHandleNumber(arguments.hostWindow);
    notifyMessage = arguments.notifyMessage;
    functionId = arguments.functionId;
    presetOutputPath = arguments.presetOutputPath;
    return complete;
}

bool ClOverviewApp::LinkWithHost() {
    ClHostLink* link = ClHostLink::Instance();
    link->SetMessageTitle(kMessageTitle);
    link->SetClientKind(kClientKindLinkageComponent);
    link->SetDataUsage(kDataUsageReadOnly);
    return link->Connect() == kHostOk;
}

void ClOverviewApp::InitInstance() {
    if (!LinkWithHost()) return;
    if (ReadLaunchArguments(desktop_.CommandLine()) == 1) {
        launchedByHost = 1;
        desktop_.EnableWindow(hostWindow, false);
        ClHostLink::Instance()->SetOwnerWindow(hostWindow);
    }
    // The run itself (level check, dataset, condition sheet, aggregation
    // and report) is not built yet: the run stops without a result.
    completionCode = kCompletionStopped;
}

void ClOverviewApp::ExitInstance() {
    ClHostLink* link = ClHostLink::Instance();
    link->SignOut();
    link->Disconnect();
    link->ReleaseInstance();
    if (launchedByHost == 1) PostCompletion();
}

void ClOverviewApp::PostCompletion() {
    desktop_.BringToForeground(hostWindow);
    desktop_.EnableWindow(hostWindow, true);
    // Sign-extended: a function id of -1 arrives with all bits set.
    desktop_.PostMessageTo(hostWindow, static_cast<std::uint32_t>(notifyMessage),
                           static_cast<std::intptr_t>(functionId), completionCode);
    desktop_.EnableWindow(hostWindow, true);
}
