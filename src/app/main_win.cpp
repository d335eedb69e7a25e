// Entry point of the edition programs.
#include <windows.h>

#include "app/app_windows_win.h"
#include "app/overview_app.h"
#include "platform/win/win32_desktop.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    Win32Desktop desktop;
    Win32AppWindows windows;
    ClOverviewApp app(desktop, windows);
    app.InitInstance();
    app.ExitInstance();
    return 0;
}
