// LdgHostSim.exe: plays the running host. It owns a top-level window,
// starts the program with the host's command line and reports the
// completion message the program posts back.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <string>
#include <vector>

#include "hostsim/host_sim_options.h"
#include "hostsim/text_win.h"

namespace {

using hostsim::SimOutcome;

UINT g_completionMessage = 0;
SimOutcome g_outcome;

LRESULT CALLBACK HostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == g_completionMessage && g_completionMessage != 0) {
        g_outcome.completionReceived = true;
        g_outcome.functionParameter = static_cast<std::int64_t>(static_cast<INT_PTR>(wParam));
        g_outcome.codeParameter = static_cast<std::int64_t>(lParam);
        return 0;
    }
    if (message == WM_ENABLE && wParam == FALSE) g_outcome.disabledDuringRun = true;
    if (message == WM_CLOSE) return 0;  // only the program's end closes the host
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND CreateHostWindow(HINSTANCE instance) {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = HostWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    windowClass.lpszClassName = L"LdgHostSimWindow";
    RegisterClassW(&windowClass);
    HWND window =
        CreateWindowExW(0, windowClass.lpszClassName, L"Host simulator", WS_OVERLAPPEDWINDOW, 0, 0,
                        800, 600, nullptr, nullptr, instance, nullptr);
    if (window != nullptr) ShowWindow(window, SW_SHOWNORMAL);
    return window;
}

void PumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// Runs until the program has ended (and its posted completion message, if
// any, has been handled) or the time is up.
void WatchProgram(HANDLE process, HWND hostWindow, std::uint32_t timeoutSeconds) {
    const ULONGLONG deadline = GetTickCount64() + 1000ULL * timeoutSeconds;
    for (;;) {
        const ULONGLONG now = GetTickCount64();
        const DWORD remaining = now >= deadline ? 0 : static_cast<DWORD>(deadline - now);
        const DWORD woken = MsgWaitForMultipleObjects(1, &process, FALSE, remaining, QS_ALLINPUT);
        if (!IsWindowEnabled(hostWindow)) g_outcome.disabledDuringRun = true;
        if (woken == WAIT_OBJECT_0) {
            PumpMessages();
            return;
        }
        if (woken == WAIT_OBJECT_0 + 1) {
            PumpMessages();
            continue;
        }
        g_outcome.timedOut = true;
        TerminateProcess(process, 1);
        WaitForSingleObject(process, 5000);
        PumpMessages();
        return;
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.push_back(hostsim::Utf8FromWide(argv[i]));
    hostsim::SimOptions options;
    std::string error;
    if (!hostsim::ParseSimOptions(args, options, error)) {
        std::fprintf(stderr, "LdgHostSim: %s\n%s", error.c_str(), hostsim::SimUsage());
        return hostsim::kExitUsage;
    }
    if (options.stateFile) {
        SetEnvironmentVariableW(L"LDG_HOST_STATE",
                                hostsim::WideFromUtf8(*options.stateFile).c_str());
    }

    HINSTANCE instance = GetModuleHandleW(nullptr);
    HWND hostWindow = CreateHostWindow(instance);
    g_completionMessage = RegisterWindowMessageW(L"LdgHostSim.Completion");
    if (hostWindow == nullptr || g_completionMessage == 0) {
        std::fprintf(stderr, "LdgHostSim: cannot create the host window\n");
        return hostsim::kExitCannotStart;
    }

    std::wstring commandLine = hostsim::WideFromUtf8(hostsim::BuildChildCommandLine(
        options, reinterpret_cast<std::uintptr_t>(hostWindow), g_completionMessage));
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        std::fprintf(stderr, "LdgHostSim: cannot start %s (error %lu)\n", options.program.c_str(),
                     GetLastError());
        DestroyWindow(hostWindow);
        return hostsim::kExitCannotStart;
    }
    CloseHandle(process.hThread);
    WatchProgram(process.hProcess, hostWindow, options.timeoutSeconds);
    CloseHandle(process.hProcess);

    g_outcome.enabledAfter = IsWindowEnabled(hostWindow) != FALSE;
    DestroyWindow(hostWindow);
    // Exactly the two lines with line feeds, whatever reads them.
    _setmode(_fileno(stdout), _O_BINARY);
    std::fputs(hostsim::FormatSimReport(g_outcome).c_str(), stdout);
    std::fflush(stdout);
    return hostsim::SimExitCode(g_outcome);
}
