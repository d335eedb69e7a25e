// Entry point of the edition programs.
#include <windows.h>

#include "app/app_windows_win.h"
#include "app/overview_app.h"
#include "host/host_calls.h"
#include "platform/win/file_system_win.h"
#include "platform/win/win32_desktop.h"
#include "res/edition_info.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    HostCalls host;
    Win32Desktop desktop;
    Win32AppWindows windows;
    Win32FileSystem files;
    ClOverviewApp app(host, desktop, windows, files, CurrentEdition());
    app.InitInstance();
    app.ExitInstance();
    return 0;
}
