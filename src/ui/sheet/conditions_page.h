// The conditions page: company, period, end month, tax option and output
// path. Every change goes straight into the sheet's condition record.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

#include "model/aggregation_conditions.h"
#include "ui/sheet/sheet_keys.h"

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
    // A path with a character code page 932 lacks comes back empty.
    virtual std::optional<std::string> AskOutputFile(const std::string& folder,
                                                     const std::string& fileName) = 0;
    // Puts `text` back into the output path field after an edit that did
    // not fit, the caret after `caretCharacters` characters, and tells the
    // user with the system's beep; no change notification reaches the page.
    virtual void RestoreOutputPath(const std::string& text, std::size_t caretCharacters) = 0;
};

// The output path field holds at most this many Shift_JIS bytes: with the
// file name the program may append, a path then stays within its bound.
constexpr std::size_t kOutputPathFieldBytes = 255;

// An edit of a bounded field: what stays of it, and where the caret goes.
struct BoundedEdit {
    std::string text;
    std::size_t caretCharacters = 0;
};
// `current` is `previous` after one edit (typed or pasted text replacing a
// part). The text the edit inserted is kept only as far as it fits in
// `maxBytes`, cut at a character boundary, as a field limited to characters
// keeps a paste; the rest of the text stays as it was.
BoundedEdit KeepWhatFits(const std::string& previous, const std::string& current,
                         std::size_t maxBytes);

// What the page works on, given by the sheet.
struct Page1Links {
    AggregationConditions* conditions = nullptr;
    // Tells the user the output path cannot be taken, with the message, and
    // brings the path field forward.
    std::function<void(const char* message)> refuseOutputPath;
};

class ClCEPage1 {
  public:
    static const char kLockedGroupText[];
    static const char kBrowseTitle[];

    // Written by start-up before the sheet shows.
    std::string companyText;
    std::string periodText;

    // Set by the sheet's initialisation; until then every handler does
    // nothing.
    void Link(const Page1Links& links) { links_ = links; }
    void AttachView(Page1View* view) { view_ = view; }

    // Takes the start and end month texts from the record and pushes all
    // texts to the controls.
    void ShowConditions(int locked);
    void OnTaxClicked(bool checked);
    // Takes the field's text unless it grew past kOutputPathFieldBytes; then
    // the field gets back what fits.
    void OnOutputPathChanged(const std::string& text);
    void OnEndMonthChanged(const std::string& text);
    // The page's key filter for a message to one of its controls (0 when
    // none); true when the message is swallowed.
    bool FilterKey(const KeyMessage& message, int targetControlId);
    // The save-file dialog; a chosen path longer than any path may be, or
    // one code page 932 cannot hold, is refused with the invalid-path
    // message, the field unchanged. The other fields keep their texts as
    // typed.
    void BrowseOutputFile();

  private:
    void PushTexts();

    Page1Links links_;
    Page1View* view_ = nullptr;
    std::string startMonthText_;
    // As typed: "" or "03" read as 0 and 3 but are shown as they are.
    std::string endMonthText_;
};

// The folder part (up to and including the last backslash, or else the
// last colon) and the file part of a path; a double-byte character's
// second byte is never taken for a separator.
struct PathParts {
    std::string folder;
    std::string fileName;
};
PathParts SplitOutputPath(const std::string& path);
