// Views of the sheet and its mapping pages that record what the logic asks
// of its windows, one line per call.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ui/mapping/mapping_page.h"
#include "ui/sheet/sheet_view.h"

class RecordingSheetView : public SheetView {
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
};

class RecordingMappingPageView : public MappingPageView {
  public:
    std::vector<std::string> calls;
    std::vector<ItemTip> tips;
    // What the user does in the account dialog, if anything.
    std::function<void(ClAccountSelectDialog&)> inDialog;

    void SetControlText(int id, const std::string& text) override {
        calls.push_back("text " + std::to_string(id) + " " + text);
    }
    void EnableControl(int id, bool enabled) override {
        calls.push_back("enable " + std::to_string(id) + (enabled ? " 1" : " 0"));
    }
    void SetUpTips(const std::vector<ItemTip>& all) override { tips = all; }
    void UpdateTip(const ItemTip& tip) override {
        calls.push_back("tip " + std::to_string(tip.controlId) + " " + tip.text);
    }
    void RunAccountDialog(ClAccountSelectDialog& dialog) override {
        calls.push_back("dialog " + std::to_string(dialog.itemNo) + " " + dialog.captionText);
        if (inDialog) inDialog(dialog);
    }
};
