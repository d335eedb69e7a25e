// Entry point of the edition programs.
#include <windows.h>

#include "app/app_windows_win.h"
#include "app/overview_app.h"
#include "host/host_calls.h"
#include "platform/win/file_system_win.h"
#include "platform/win/win32_desktop.h"
#include "res/edition_info.h"

namespace {

ClOverviewApp* running = nullptr;

// A crash no handler took (an access violation, in the program or in a
// library it called) must not leave the host window disabled and the host
// waiting: the run ends as any unexpected failure does, then the process.
LONG WINAPI EndTheRunAfterACrash(EXCEPTION_POINTERS*) {
    static LONG entered = 0;
    if (InterlockedExchange(&entered, 1) == 0 && running != nullptr) running->EndAfterCrash();
    return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    HostCalls host;
    Win32Desktop desktop;
    Win32AppWindows windows;
    Win32FileSystem files;
    ClOverviewApp app(host, desktop, windows, files, CurrentEdition());
    running = &app;
    SetUnhandledExceptionFilter(EndTheRunAfterACrash);
    app.InitInstance();
    app.ExitInstance();
    running = nullptr;
    return 0;
}
