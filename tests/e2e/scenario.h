// One run of a program through the host simulator: its own temporary
// folder with the host state and the call journal, and the steps a person
// takes in the program's windows.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/e2e/gui_driver.h"
#include "tests/e2e/process_runner.h"

// A path of the build machine as the program sees it under Wine.
std::wstring HostPath(const std::string& unixPath);

// The sample host state (samples/sample-company.json) with dataset `no`
// opened, the folders moved into `folder` (the conditions into its
// "conditions" subfolder) and `extra` fields added at the top level
// (", "-separated JSON members, or empty). Empty when the sample's layout
// has changed.
std::string SampleState(int no, const std::wstring& folder, const std::string& extra = "");

// The closing message of a run that wrote its XML and the detail at
// `detailPath`: it names the detail and counts the findings the detail
// lists.
std::wstring WrittenMessage(const std::wstring& detailPath);

class Scenario : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // A host state with one dataset (number 12, opened); `datasetExtra` and
    // `extra` are added inside the dataset and at the top level.
    void WriteState(const std::string& datasetExtra = "", const std::string& extra = "");

    // Starts the simulator with `options` for the program at `programPath`.
    void Start(const std::wstring& options, const std::wstring& programPath);
    ProcessResult Finish();

    std::vector<std::string> Journal() const;
    // The lines of `expected` start lines of the journal, in this order.
    bool JournalInOrder(const std::vector<std::string>& expected) const;
    bool JournalEndsWithSignOut() const;

    // Esc on the sheet, "No" to keeping the input, OK to the notice.
    void CancelSheetWithoutSaving(HWND sheet);
    // Waits for the sheet to open, then leaves it as above.
    void WaitForSheetAndCancel();
    // Waits for the sheet to open, then presses "実行(F12)".
    void WaitForSheetAndRun();
    // Waits for a message box and checks its text, then presses OK.
    void ExpectMessageAndConfirm(const std::wstring& text);
    // The same for the closing message of a run that wrote the detail at
    // `detailPath`, once the box shows (the detail is written by then).
    void ExpectWrittenAndConfirm(const std::wstring& detailPath);

    static const std::wstring kSheetTitle;

    std::wstring folder_;
    std::wstring statePath_;
    std::wstring journalPath_;
    std::wstring conditionsFolder_;
    RunningProcess running_;
};
