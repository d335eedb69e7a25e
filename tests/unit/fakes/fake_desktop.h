// A desktop and windows that record what the program did, for the run
// sequence's tests.
#pragma once

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/app_windows.h"
#include "platform/desktop.h"
#include "tests/unit/fakes/memory_file_system.h"

struct PostedMessage {
    WindowRef window;
    std::uint32_t message;
    std::intptr_t first;
    std::intptr_t second;
};

struct ShownBox {
    WindowRef owner;
    std::string text;
    MessageKind kind;
};

class FakeDesktop : public Desktop {
  public:
    std::string commandLine;
    // False: the command line held a character code page 932 lacks.
    bool commandLineComplete = true;
    std::string programFolder = "C:\\prog\\";
    std::string currentFolder = "C:\\elsewhere";
    std::vector<std::string> events;
    std::vector<PostedMessage> posts;
    std::vector<ShownBox> boxes;
    bool commandLineRead = false;

    SystemText CommandLine() override {
        commandLineRead = true;
        return {commandLine, commandLineComplete};
    }
    void EnableWindow(WindowRef window, bool enable) override {
        events.push_back((enable ? "enable " : "disable ") + Id(window));
    }
    void BringToForeground(WindowRef window) override {
        events.push_back("foreground " + Id(window));
    }
    void PostMessageTo(WindowRef window, std::uint32_t message, std::intptr_t first,
                       std::intptr_t second) override {
        events.push_back("post " + Id(window));
        posts.push_back({window, message, first, second});
    }
    std::string ProgramFolder() override { return programFolder; }
    std::string CurrentFolder() override { return currentFolder; }
    bool SetCurrentFolder(const std::string& folder) override {
        currentFolder = folder;
        return true;
    }
    bool ShowMessage(WindowRef owner, const std::string& text, MessageKind kind) override {
        boxes.push_back({owner, text, kind});
        events.push_back("message");
        if (onMessage) onMessage();
        return true;
    }
    // Runs once a message box was recorded (a fault while it shows).
    std::function<void()> onMessage;
    void ShowWaitCursor(bool) override {}
    LocalTime now = {2026, 1, 5, 9, 7};
    LocalTime Now() override { return now; }

    static std::string Id(WindowRef window) {
        return std::to_string(reinterpret_cast<std::uintptr_t>(window));
    }
};

// An edition whose files the tests do not ship: the sheet finds none.
inline const EditionInfo kTestEdition = {"TestEdition", "LdgTest", "18.00.00", "18.00.0X"};

class FakeWindows : public AppWindows {
  public:
    int sheetEndCode = 2001;
    int sheetRuns = 0;
    WindowRef sheetParent = nullptr;
    AggregationConditions seenConditions;
    ClCEPage1 seenPage1;

    std::unique_ptr<ProgressView> CreateProgressView() override {
        ++progressWindows;
        return std::make_unique<NullProgressView>();
    }
    int progressWindows = 0;

    // What the user does in the sheet; without it the sheet ends with
    // sheetEndCode.
    std::function<int(ClConditionEntrySheet&)> user;

    int RunConditionSheet(ClConditionEntrySheet& sheet, WindowRef parent) override {
        ++sheetRuns;
        sheetParent = parent;
        seenConditions = sheet.conditions;
        seenPage1 = sheet.page1;
        return user ? user(sheet) : sheetEndCode;
    }
};
