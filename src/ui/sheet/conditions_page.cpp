#include "ui/sheet/conditions_page.h"

#include <cstdlib>

#include "model/lenient_number.h"
#include "model/shift_jis_text.h"
#include "res/condition_sheet_res.h"
#include "ui/sheet/condition_entry_sheet.h"
#include "ui/sheet/own_buttons.h"

const char ClCEPage1::kLockedGroupText[] = "出力先";
const char ClCEPage1::kBrowseTitle[] = "保存ファイルを指定";

void ClCEPage1::ShowConditions(int locked) {
    if (sheet == nullptr || view_ == nullptr) return;
    const AggregationConditions& c = sheet->conditions;
    view_->ShowTexts(companyText, periodText, std::to_string(c.startMonth),
                     std::to_string(c.endMonth), c.outputPath, c.taxInclusive == 1);
    if (locked == 1) view_->LockOutput();
}

void ClCEPage1::OnTaxClicked(bool checked) {
    if (sheet != nullptr) sheet->conditions.taxInclusive = checked ? 1 : 0;
}

void ClCEPage1::OnOutputPathChanged(const std::string& text) {
    if (sheet != nullptr) sheet->conditions.outputPath = text;
}

void ClCEPage1::OnEndMonthChanged(const std::string& text) {
    // The field takes two digits at most; an empty field reads as 0.
    if (sheet != nullptr) {
        sheet->conditions.endMonth = static_cast<std::int16_t>(ReadLeadingDecimal(text));
    }
}

bool ClCEPage1::FilterKey(const KeyMessage& message, int targetControlId) {
    if (sheet == nullptr || view_ == nullptr) return false;
    if (message.alt && !message.shift && !message.ctrl && message.key == kKeyF4) return true;
    const bool plainEnter = message.kind == KeyMessageKind::kKeyDown && message.key == kKeyEnter &&
                            !message.shift && !message.ctrl && !message.alt;
    if (!plainEnter) return false;
    switch (targetControlId) {
        case IDE_END_MONTH:
            view_->FocusControl(IDX_TAX_INCLUSIVE, false);
            break;
        case IDX_TAX_INCLUSIVE:
            if (view_->IsEnabled(IDE_OUTPUT_PATH) && view_->IsEnabled(IDB_BROWSE)) {
                view_->FocusControl(IDE_OUTPUT_PATH, true);
            } else {
                view_->FocusControl(view_->IsEnabled(IDB_PREVIOUS) ? IDB_PREVIOUS : IDB_NEXT,
                                    false);
            }
            break;
        case IDE_OUTPUT_PATH:
            view_->FocusControl(IDB_BROWSE, false);
            break;
        case IDB_BROWSE:
            if (view_->IsEnabled(IDB_BROWSE)) BrowseOutputFile();
            break;
        default:
            break;
    }
    // The sheet's filter swallows Enter afterwards.
    return false;
}

void ClCEPage1::BrowseOutputFile() {
    if (sheet == nullptr || view_ == nullptr) return;
    const PathParts parts = SplitOutputPath(sheet->conditions.outputPath);
    const std::optional<std::string> chosen = view_->AskOutputFile(parts.folder, parts.fileName);
    if (!chosen) return;
    sheet->conditions.outputPath = *chosen;
    ShowConditions(0);
}

PathParts SplitOutputPath(const std::string& path) {
    std::size_t cut = FindLastSingleByte(path, "\\");
    if (cut == std::string::npos) cut = FindLastSingleByte(path, ":");
    if (cut == std::string::npos) return {"", path};
    return {path.substr(0, cut + 1), path.substr(cut + 1)};
}
