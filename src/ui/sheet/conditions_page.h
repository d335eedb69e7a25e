// The conditions page: company, period, end month, tax option and output
// path. Every change goes straight into the sheet's condition record.
#pragma once

#include <optional>
#include <string>

#include "ui/sheet/sheet_keys.h"

class ClConditionEntrySheet;

// The page's controls, as the page needs them.
class Page1View {
  public:
    virtual ~Page1View() = default;

    // Pushes the five texts and the check box to the controls; the change
    // notifications this causes must not reach the page.
    virtual void ShowTexts(const std::string& companyText, const std::string& periodText,
                           const std::string& startMonthText, const std::string& endMonthText,
                           const std::string& outputPathText, bool taxInclusive) = 0;
    // Disables the output path field and the browse button and drops the
    // frame's mnemonic.
    virtual void LockOutput() = 0;
    // A control of the page, or one of the sheet's own buttons.
    virtual bool IsEnabled(int controlId) = 0;
    // Moves the keyboard focus; `selectAll` selects an edit field's text.
    virtual void FocusControl(int controlId, bool selectAll) = 0;
    // The save-file dialog; the chosen full path, or nothing when cancelled.
    virtual std::optional<std::string> AskOutputFile(const std::string& folder,
                                                     const std::string& fileName) = 0;
};

class ClCEPage1 {
  public:
    static const char kLockedGroupText[];
    static const char kBrowseTitle[];

    // Written by start-up before the sheet shows.
    std::string companyText;
    std::string periodText;

    // Set by the sheet's initialisation; every handler waits for it.
    ClConditionEntrySheet* sheet = nullptr;
    void AttachView(Page1View* view) { view_ = view; }

    void ShowConditions(int locked);
    void OnTaxClicked(bool checked);
    void OnOutputPathChanged(const std::string& text);
    void OnEndMonthChanged(const std::string& text);
    // The page's key filter for a message to one of its controls (0 when
    // none); true when the message is swallowed.
    bool FilterKey(const KeyMessage& message, int targetControlId);
    void BrowseOutputFile();

  private:
    Page1View* view_ = nullptr;
};

// The folder part (up to and including the last backslash, or else the
// last colon) and the file part of a path; a double-byte character's
// second byte is never taken for a separator.
struct PathParts {
    std::string folder;
    std::string fileName;
};
PathParts SplitOutputPath(const std::string& path);
