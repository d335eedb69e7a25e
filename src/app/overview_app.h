// The program's single application object: the run from the host's start
// to the completion message.
#pragma once

#include <cstdint>
#include <string>

#include "app/completion_code.h"
#include "app/launch_arguments.h"
#include "platform/desktop.h"

class ClOverviewApp {
  public:
    explicit ClOverviewApp(Desktop& desktop);

    // The run; on every path the caller then calls ExitInstance.
    void InitInstance();
    // The end sequence: sign out of the host and tell it the outcome.
    void ExitInstance();

    int ReadLaunchArguments(const std::string& commandLine);

    std::int32_t launchedByHost = 0;
    WindowRef hostWindow = nullptr;
    std::int32_t notifyMessage = 0;
    std::int16_t functionId = 2;
    std::string presetOutputPath;
    std::int32_t completionCode = kCompletionWritten;

  private:
    // Links with the host; false when the host refused (the program then
    // ends silently: nobody to tell).
    bool LinkWithHost();
    void PostCompletion();

    Desktop& desktop_;
};
