// LdgGuiTool.exe: the end-to-end tests' window driver as a command for
// scripts. It runs under Wine beside the programs, takes a list of steps
// and does them in order, as a person would, printing key=value lines.
#include <windows.h>

#include <commctrl.h>
#include <fcntl.h>
#include <io.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <cwctype>
#include <functional>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

#include "tests/e2e/gui_driver.h"
#include "tests/e2e/process_runner.h"

namespace {

const char kUsage[] =
    "usage: LdgGuiTool.exe [--timeout SECONDS] STEP...\n"
    "  start ARGS        start LdgHostSim.exe (beside this tool) with ARGS\n"
    "  finish            wait for it to end: host=LINE per line it printed, exit=CODE\n"
    "  window TITLE      wait for a window titled TITLE (TITLE* : starting with TITLE);\n"
    "                    the steps below act on it\n"
    "  gone              wait until that window is gone\n"
    "  key KEY           press KEY: F1-F12, Enter, Esc, Tab, Space, Up, Down, Left, Right,\n"
    "                    Home, End, PageUp, PageDown, Delete, a letter or a digit, with\n"
    "                    Shift+, Ctrl+, Alt+ in front as needed\n"
    "  click ID          a mouse click on the control ID, once it is shown\n"
    "  press ID          press the button ID (its click message to its parent)\n"
    "  shown ID          wait until the control ID is shown (a page changed by a key)\n"
    "  text ID TEXT      set the text of the edit field ID, as if typed\n"
    "  hover ID          move the mouse over the control ID and wait for its tooltip\n"
    "  park              move the mouse to the screen's bottom right corner and close\n"
    "                    the tooltips shown\n"
    "  menu ID           a right click on the control ID; wait for the popup menu\n"
    "  shot FILE         once the program has drawn the last changes, save the window\n"
    "                    with its shown tooltip or menu as a BMP file: shot=WIDTH,HEIGHT,\n"
    "                    then part=X,Y,WIDTH,HEIGHT of each window in the picture\n"
    "  snap FILE         the same at once, for a window busy with work: its program is\n"
    "                    held still for the picture\n"

    "  place ID...       client=WIDTH,HEIGHT of the window, then place=ID,X,Y,WIDTH,HEIGHT\n"
    "                    of each control (shown or not) in the window's client area\n"
    "  message [BUTTON]  wait for a message box: message=TEXT; press BUTTON (ok, yes,\n"
    "                    no, cancel; default ok) and wait until the box is gone\n"
    "  time ACTION UNTIL ACTION: key KEY, click ID or start ARGS; UNTIL: window TITLE,\n"
    "                    message or shown ID. seconds=S from the action to the window,\n"
    "                    the message box or the control ID shown (a window becomes the\n"
    "                    one steps act on)\n"
    "  memory            peak=BYTES, the peak working set so far of the program that\n"
    "                    owns the window\n"
    "Waits give up after SECONDS (default 60) with error=...; the exit code is then 1.\n";

// Polling of the timed waits: fine enough for figures of a tenth of a second.
constexpr DWORD kTimedPollMs = 5;

struct StepError {
    std::string what;
};

[[noreturn]] void Fail(const std::string& what) {
    throw StepError{what};
}

void Print(const std::string& key, const std::string& value) {
    std::string line = key + "=";
    for (char c : value) {
        if (c == '\r') continue;
        line += c == '\n' ? std::string("\\n") : std::string(1, c);
    }
    line += '\n';
    std::fputs(line.c_str(), stdout);
    std::fflush(stdout);
}

WORD VirtualKeyNamed(const std::wstring& name) {
    static const std::map<std::wstring, WORD> kNames = {
        {L"Enter", VK_RETURN}, {L"Esc", VK_ESCAPE}, {L"Tab", VK_TAB},      {L"Space", VK_SPACE},
        {L"Up", VK_UP},        {L"Down", VK_DOWN},  {L"Left", VK_LEFT},    {L"Right", VK_RIGHT},
        {L"Home", VK_HOME},    {L"End", VK_END},    {L"PageUp", VK_PRIOR}, {L"PageDown", VK_NEXT},
        {L"Delete", VK_DELETE}};
    if (const auto it = kNames.find(name); it != kNames.end()) return it->second;
    if (name.size() >= 2 && name.size() <= 3 && name[0] == L'F') {
        const int n = _wtoi(name.c_str() + 1);
        if (n >= 1 && n <= 12 && std::to_wstring(n) == name.substr(1))
            return static_cast<WORD>(VK_F1 + n - 1);
    }
    if (name.size() == 1 &&
        ((name[0] >= L'0' && name[0] <= L'9') || (name[0] >= L'A' && name[0] <= L'Z'))) {
        return static_cast<WORD>(name[0]);
    }
    if (name.size() == 1 && name[0] >= L'a' && name[0] <= L'z')
        return static_cast<WORD>(name[0] - L'a' + L'A');
    return 0;
}

struct Key {
    WORD virtualKey = 0;
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
};

Key ParseKey(const std::wstring& text) {
    Key key;
    std::wstring rest = text;
    for (;;) {
        if (rest.rfind(L"Shift+", 0) == 0) {
            key.shift = true;
            rest.erase(0, 6);
        } else if (rest.rfind(L"Ctrl+", 0) == 0) {
            key.ctrl = true;
            rest.erase(0, 5);
        } else if (rest.rfind(L"Alt+", 0) == 0) {
            key.alt = true;
            rest.erase(0, 4);
        } else {
            break;
        }
    }
    key.virtualKey = VirtualKeyNamed(rest);
    if (key.virtualKey == 0) Fail("unknown key " + Utf8(text));
    return key;
}

int ParseId(const std::wstring& text) {
    wchar_t* end = nullptr;
    const long id = std::wcstol(text.c_str(), &end, 10);
    if (text.empty() || *end != L'\0' || id <= 0 || id > 0xFFFF)
        Fail("not a control id: " + Utf8(text));
    return static_cast<int>(id);
}

bool HasClass(HWND window, const wchar_t* name) {
    wchar_t found[64] = {};
    GetClassNameW(window, found, 64);
    return lstrcmpW(found, name) == 0;
}
bool IsTooltip(HWND window) {
    return HasClass(window, TOOLTIPS_CLASSW);
}
bool IsPopupMenu(HWND window) {
    return HasClass(window, L"#32768");
}

std::string Numbers(std::initializer_list<long> values) {
    std::string text;
    for (long value : values)
        text += (text.empty() ? "" : ",") + std::to_string(value);
    return text;
}

int ParseButton(const std::wstring& text) {
    if (text == L"ok") return IDOK;
    if (text == L"yes") return IDYES;
    if (text == L"no") return IDNO;
    if (text == L"cancel") return IDCANCEL;
    Fail("not a message box button: " + Utf8(text));
}

class Session {
  public:
    Session(std::vector<std::wstring> args, DWORD timeoutMs)
        : args_(std::move(args)), timeoutMs_(timeoutMs) {}
    ~Session() {
        // A simulator started without `finish` runs on; only its report is lost.
        if (host_.output != nullptr) CloseHandle(host_.output);
        if (host_.process != nullptr) CloseHandle(host_.process);
    }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    void Run() {
        while (next_ < args_.size())
            Step(Next("a step"));
    }

  private:
    const std::wstring& Next(const char* what) {
        if (next_ >= args_.size()) Fail(std::string("missing ") + what);
        return args_[next_++];
    }
    bool NextIs(const wchar_t* word) const { return next_ < args_.size() && args_[next_] == word; }

    HWND Current() const {
        if (window_ == nullptr || !IsWindow(window_)) Fail("no window: use `window TITLE` first");
        return window_;
    }

    // The control with `id` in the current window, once it is shown.
    HWND ShownControl(int id) {
        HWND top = Current();
        const ULONGLONG deadline = GetTickCount64() + timeoutMs_;
        for (;;) {
            HWND control = gui::FindControl(top, id);
            if (control != nullptr && IsWindowVisible(control)) return control;
            if (GetTickCount64() >= deadline) Fail("control " + std::to_string(id) + " not shown");
            Sleep(gui::kPollMs);
        }
    }

    void Start(const std::wstring& arguments) {
        if (host_.process != nullptr) Fail("the host simulator was started already");
        host_ = StartHostSimulator(arguments);
        if (host_.process == nullptr) Fail("cannot start the host simulator");
    }

    void Step(const std::wstring& step) {
        if (step == L"start") {
            Start(Next("the simulator's arguments"));
        } else if (step == L"finish") {
            if (host_.process == nullptr) Fail("finish without start");
            const ProcessResult result = FinishProcess(host_);
            std::size_t from = 0;
            while (from < result.output.size()) {
                std::size_t end = result.output.find('\n', from);
                if (end == std::string::npos) end = result.output.size();
                Print("host", result.output.substr(from, end - from));
                from = end + 1;
            }
            Print("exit", std::to_string(result.exitCode));
        } else if (step == L"window") {
            const std::wstring& title = Next("a title");
            window_ = WaitForTitle(title);
            if (window_ == nullptr) Fail("no window " + Utf8(title));
        } else if (step == L"gone") {
            if (window_ == nullptr) Fail("gone: no window before");
            if (!gui::WaitUntilGone(window_, timeoutMs_)) Fail("the window stays");
        } else if (step == L"key") {
            const Key key = ParseKey(Next("a key"));
            gui::PressKey(Current(), key.virtualKey, key.shift, key.ctrl, key.alt);
        } else if (step == L"click") {
            HWND control = ShownControl(ParseId(Next("a control id")));
            gui::MouseClick(Current(), control);
        } else if (step == L"press") {
            HWND control = ShownControl(ParseId(Next("a control id")));
            gui::PressButton(GetParent(control), GetDlgCtrlID(control));
        } else if (step == L"shown") {
            ShownControl(ParseId(Next("a control id")));
        } else if (step == L"text") {
            HWND control = ShownControl(ParseId(Next("a control id")));
            gui::SetControlText(control, Next("a text"));
        } else if (step == L"park") {
            SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
            // A tip stays up until the mouse moves over its own window again.
            for (int tips = 0; tips < 10; ++tips) {
                HWND tip = gui::WaitForWindow(IsTooltip, 0);
                if (tip == nullptr) break;
                SendMessageW(tip, TTM_POP, 0, 0);
            }
        } else if (step == L"hover") {
            HWND control = ShownControl(ParseId(Next("a control id")));
            gui::MoveMouseOver(Current(), control);
            if (gui::WaitForWindow(IsTooltip, timeoutMs_) == nullptr) Fail("no tooltip");
        } else if (step == L"menu") {
            HWND control = ShownControl(ParseId(Next("a control id")));
            gui::MouseClick(Current(), control, true);
            if (gui::WaitForWindow(IsPopupMenu, timeoutMs_) == nullptr) Fail("no popup menu");
        } else if (step == L"shot") {
            Shot(Next("a file name"), true);
        } else if (step == L"snap") {
            Shot(Next("a file name"), false);
        } else if (step == L"place") {
            HWND top = Current();
            RECT client = {};
            GetClientRect(top, &client);
            Print("client", Numbers({client.right, client.bottom}));
            do {
                const int id = ParseId(Next("a control id"));
                HWND control = gui::FindControl(top, id);
                if (control == nullptr) Fail("no control " + std::to_string(id));
                RECT bounds = {};
                GetWindowRect(control, &bounds);
                MapWindowPoints(nullptr, top, reinterpret_cast<POINT*>(&bounds), 2);
                Print("place", Numbers({id, bounds.left, bounds.top, bounds.right - bounds.left,
                                        bounds.bottom - bounds.top}));
            } while (next_ < args_.size() && std::iswdigit(args_[next_][0]));
        } else if (step == L"message") {
            const int button = NextIs(L"ok") || NextIs(L"yes") || NextIs(L"no") || NextIs(L"cancel")
                                   ? ParseButton(Next("a button"))
                                   : IDOK;
            HWND box = gui::WaitForMessageBox(timeoutMs_);
            if (box == nullptr) Fail("no message box");
            Print("message", Utf8(gui::MessageBoxText(box)));
            gui::PressButton(box, button);
            if (!gui::WaitUntilGone(box, timeoutMs_)) Fail("the message box stays");
        } else if (step == L"time") {
            Time();
        } else if (step == L"memory") {
            PrintPeakWorkingSet();
        } else {
            Fail("unknown step " + Utf8(step));
        }
    }

    // The window with the tooltip or menu shown over it; the parts of the
    // picture that they cover, for the caller to clear the rest. `settled`:
    // first let the program draw what the last steps changed (a text set,
    // the window activated): a round trip of a message, a repaint of what
    // is invalid, three times, as the program may take input in between.
    void Shot(const std::wstring& file, bool settled) {
        HWND top = Current();
        for (int round = 0; settled && round < 3; ++round) {
            DWORD_PTR answer = 0;
            if (!SendMessageTimeoutW(top, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs_, &answer))
                Fail("the program does not answer");
            RedrawWindow(top, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        }
        const gui::ThreadHeld held(top);
        if (!IsWindowVisible(top)) Fail("the window is no longer shown");
        std::vector<RECT> parts(1);
        GetWindowRect(top, &parts[0]);
        RECT area = parts[0];
        // Only a tooltip or menu that lies over the window: a tip left over
        // from another window stays out.
        for (HWND popup : {gui::WaitForWindow(IsTooltip, 0), gui::WaitForWindow(IsPopupMenu, 0)}) {
            RECT bounds = {}, common = {};
            if (popup == nullptr || !GetWindowRect(popup, &bounds) ||
                !IntersectRect(&common, &bounds, &parts[0]))
                continue;
            parts.push_back(bounds);
            UnionRect(&area, &area, &bounds);
        }
        gui::SaveScreenArea(area, file);
        Print("shot", Numbers({area.right - area.left, area.bottom - area.top}));
        for (const RECT& part : parts) {
            Print("part", Numbers({part.left - area.left, part.top - area.top,
                                   part.right - part.left, part.bottom - part.top}));
        }
    }

    // A title ending in "*" matches every title that starts with the rest:
    // the progress window shows its percentage after its name. Its thread
    // is busy with the run and answers no message, so the caption is read
    // as the system keeps it (GetWindowText does not ask another process).
    HWND WaitForTitle(const std::wstring& title) const {
        if (title.size() < 2 || title.back() != L'*')
            return gui::WaitForWindowTitled(title, timeoutMs_);
        const std::wstring start = title.substr(0, title.size() - 1);
        return gui::WaitForWindow(
            [&start](HWND window) {
                wchar_t caption[256] = {};
                GetWindowTextW(window, caption, 256);
                return std::wstring(caption).rfind(start, 0) == 0;
            },
            timeoutMs_, kTimedPollMs);
    }

    // The action is prepared first (target in front, control shown), so the
    // figure holds only the program's reaction.
    void Time() {
        const std::wstring& action = Next("an action");
        std::function<void()> act;
        if (action == L"key") {
            const Key key = ParseKey(Next("a key"));
            HWND top = Current();
            gui::BringToFront(top);
            act = [top, key] { gui::PressKey(top, key.virtualKey, key.shift, key.ctrl, key.alt); };
        } else if (action == L"click") {
            HWND control = ShownControl(ParseId(Next("a control id")));
            HWND top = Current();
            gui::BringToFront(top);
            act = [top, control] { gui::MouseClick(top, control); };
        } else if (action == L"start") {
            const std::wstring arguments = Next("the simulator's arguments");
            act = [this, arguments] { Start(arguments); };
        } else {
            Fail("time what? " + Utf8(action));
        }
        const std::wstring& until = Next("window TITLE, message or shown ID");
        std::wstring title;
        int controlId = 0;
        if (until == L"window") {
            title = Next("a title");
        } else if (until == L"shown") {
            controlId = ParseId(Next("a control id"));
        } else if (until != L"message") {
            Fail("time until what? " + Utf8(until));
        }

        LARGE_INTEGER frequency, started, shown;
        QueryPerformanceFrequency(&frequency);
        QueryPerformanceCounter(&started);
        act();
        HWND found = nullptr;
        if (controlId != 0) {
            HWND top = Current();
            const ULONGLONG deadline = GetTickCount64() + timeoutMs_;
            for (;;) {
                HWND control = gui::FindControl(top, controlId);
                if (control != nullptr && IsWindowVisible(control)) {
                    found = control;
                    break;
                }
                if (GetTickCount64() >= deadline) break;
                Sleep(kTimedPollMs);
            }
        } else {
            found = title.empty() ? gui::WaitForMessageBox(timeoutMs_, kTimedPollMs)
                                  : gui::WaitForWindowTitled(title, timeoutMs_, kTimedPollMs);
        }
        QueryPerformanceCounter(&shown);
        if (found == nullptr) {
            Fail(controlId != 0  ? "control " + std::to_string(controlId) + " not shown"
                 : title.empty() ? std::string("no message box")
                                 : "no window " + Utf8(title));
        }
        if (!title.empty()) window_ = found;
        char seconds[32];
        std::snprintf(seconds, sizeof seconds, "%.3f",
                      static_cast<double>(shown.QuadPart - started.QuadPart) /
                          static_cast<double>(frequency.QuadPart));
        Print("seconds", seconds);
    }

    void PrintPeakWorkingSet() {
        DWORD processId = 0;
        GetWindowThreadProcessId(Current(), &processId);
        HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
        if (process == nullptr) Fail("cannot open the program's process");
        PROCESS_MEMORY_COUNTERS counters = {};
        const BOOL read = GetProcessMemoryInfo(process, &counters, sizeof counters);
        CloseHandle(process);
        if (!read) Fail("no memory figures of the program");
        Print("peak", std::to_string(counters.PeakWorkingSetSize));
    }

    std::vector<std::wstring> args_;
    std::size_t next_ = 0;
    DWORD timeoutMs_;
    HWND window_ = nullptr;
    RunningProcess host_;
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
    // Plain LF line ends, whatever reads the output.
    _setmode(_fileno(stdout), _O_BINARY);
    // Screen pixels in every figure, at any DPI, as the programs see them.
    SetProcessDPIAware();
    std::vector<std::wstring> args(argv + 1, argv + argc);
    DWORD timeoutMs = 60000;
    if (args.size() >= 2 && args[0] == L"--timeout") {
        const int seconds = _wtoi(args[1].c_str());
        if (seconds <= 0) {
            std::fputs(kUsage, stderr);
            return 2;
        }
        timeoutMs = static_cast<DWORD>(seconds) * 1000;
        args.erase(args.begin(), args.begin() + 2);
    }
    if (args.empty() || args[0] == L"--help") {
        std::fputs(kUsage, args.empty() ? stderr : stdout);
        return args.empty() ? 2 : 0;
    }
    try {
        Session session(std::move(args), timeoutMs);
        session.Run();
    } catch (const StepError& error) {
        Print("error", error.what);
        return 1;
    }
    return 0;
}
