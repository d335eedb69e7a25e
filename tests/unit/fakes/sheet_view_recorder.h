// A condition sheet's window that records what the sheet asked of it, in
// order: "ask <text>", "info <text>", "error <text>", "page <n>",
// "focus <id>", "nav <previous><next>" (1 enabled), "end <code>",
// "bind <page> <controls>". Questions are answered with `answerYes`.
#pragma once

#include <string>
#include <vector>

#include "ui/sheet/sheet_view.h"

class SheetViewRecorder : public SheetView {
  public:
    std::vector<std::string> calls;
    bool answerYes = false;

    bool AskYesNo(const std::string& text) override {
        calls.push_back("ask " + text);
        return answerYes;
    }
    void ShowInformation(const std::string& text) override { calls.push_back("info " + text); }
    void ShowError(const std::string& text) override { calls.push_back("error " + text); }
    void ActivatePage(int index) override { calls.push_back("page " + std::to_string(index)); }
    void FocusConditionField(int id) override { calls.push_back("focus " + std::to_string(id)); }
    void EnableNavigation(bool previous, bool next) override {
        calls.push_back(std::string("nav ") + (previous ? "1" : "0") + (next ? "1" : "0"));
    }
    void EndSheet(int code) override { calls.push_back("end " + std::to_string(code)); }
    void ApplyBindings(int page, const std::vector<ControlBinding>& bindings) override {
        calls.push_back("bind " + std::to_string(page) + " " + std::to_string(bindings.size()));
    }
};
