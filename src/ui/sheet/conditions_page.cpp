#include "ui/sheet/conditions_page.h"

#include <cstdlib>

#include "model/lenient_number.h"
#include "model/shift_jis_text.h"
#include "platform/file_system.h"
#include "res/condition_sheet_res.h"
#include "ui/sheet/condition_validation.h"
#include "ui/sheet/own_buttons.h"

const char ClCEPage1::kLockedGroupText[] = "出力先";
const char ClCEPage1::kBrowseTitle[] = "保存ファイルを指定";

void ClCEPage1::ShowConditions(int locked) {
    if (links_.conditions == nullptr || view_ == nullptr) return;
    startMonthText_ = std::to_string(links_.conditions->startMonth);
    endMonthText_ = std::to_string(links_.conditions->endMonth);
    PushTexts();
    if (locked == 1) view_->LockOutput();
}

void ClCEPage1::PushTexts() {
    const AggregationConditions& c = *links_.conditions;
    view_->ShowTexts(companyText, periodText, startMonthText_, endMonthText_, c.outputPath,
                     c.taxInclusive == 1);
}

void ClCEPage1::OnTaxClicked(bool checked) {
    if (links_.conditions != nullptr) links_.conditions->taxInclusive = checked ? 1 : 0;
}

void ClCEPage1::OnOutputPathChanged(const std::string& text) {
    if (links_.conditions == nullptr) return;
    std::string& path = links_.conditions->outputPath;
    // A longer path loaded from elsewhere may stay and be shortened; only
    // growth past the bound is refused.
    if (text.size() <= kOutputPathFieldBytes || text.size() <= path.size()) {
        path = text;
        return;
    }
    const BoundedEdit kept = KeepWhatFits(path, text, kOutputPathFieldBytes);
    path = kept.text;
    if (view_ != nullptr) view_->RestoreOutputPath(kept.text, kept.caretCharacters);
}

void ClCEPage1::OnEndMonthChanged(const std::string& text) {
    // The field takes two digits at most; an empty field reads as 0.
    if (links_.conditions != nullptr) {
        endMonthText_ = text;
        links_.conditions->endMonth = static_cast<std::int16_t>(ReadLeadingDecimal(text));
    }
}

bool ClCEPage1::FilterKey(const KeyMessage& message, int targetControlId) {
    if (links_.conditions == nullptr || view_ == nullptr) return false;
    if (message.IsAltF4()) return true;
    if (!message.IsPlainKeyDown() || message.key != kKeyEnter) return false;
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
    if (links_.conditions == nullptr || view_ == nullptr) return;
    const PathParts parts = SplitOutputPath(links_.conditions->outputPath);
    const std::optional<std::string> chosen = view_->AskOutputFile(parts.folder, parts.fileName);
    if (!chosen) return;
    // Cut, or with "?" for a character it cannot hold, it would name
    // another file.
    if (chosen->empty() || chosen->size() > kMaxPathBytes) {
        links_.refuseOutputPath(ConditionMessages::kInvalidCharacter);
        return;
    }
    links_.conditions->outputPath = *chosen;
    PushTexts();
}

namespace {

bool IsCharacterStart(const std::string& text, std::size_t position) {
    std::size_t i = 0;
    while (i < position)
        i += CharacterWidthAt(text, i);
    return i == position;
}

}  // namespace

BoundedEdit KeepWhatFits(const std::string& previous, const std::string& current,
                         std::size_t maxBytes) {
    // The characters both texts start with, and those they end with (not
    // reaching into the start): what lies between in `current` is inserted.
    std::size_t prefix = 0;
    std::size_t prefixCharacters = 0;
    while (prefix < previous.size() && prefix < current.size()) {
        const std::size_t width = CharacterWidthAt(current, prefix);
        if (CharacterWidthAt(previous, prefix) != width ||
            previous.compare(prefix, width, current, prefix, width) != 0) {
            break;
        }
        prefix += width;
        ++prefixCharacters;
    }
    std::size_t suffix = 0;
    while (suffix < previous.size() - prefix && suffix < current.size() - prefix &&
           previous[previous.size() - suffix - 1] == current[current.size() - suffix - 1]) {
        ++suffix;
    }
    // Whole characters only, in both texts.
    while (suffix > 0 && (!IsCharacterStart(current, current.size() - suffix) ||
                          !IsCharacterStart(previous, previous.size() - suffix))) {
        --suffix;
    }
    const std::string head = current.substr(0, prefix);
    const std::string tail = current.substr(current.size() - suffix);
    const std::string inserted = current.substr(prefix, current.size() - prefix - suffix);
    const std::size_t room =
        head.size() + tail.size() < maxBytes ? maxBytes - head.size() - tail.size() : 0;
    const std::string kept = CutAtCharacterBoundary(inserted, room);
    std::size_t keptCharacters = 0;
    for (std::size_t i = 0; i < kept.size(); i += CharacterWidthAt(kept, i))
        ++keptCharacters;
    return {head + kept + tail, prefixCharacters + keptCharacters};
}

PathParts SplitOutputPath(const std::string& path) {
    std::size_t cut = FindLastSingleByte(path, "\\");
    if (cut == std::string::npos) cut = FindLastSingleByte(path, ":");
    if (cut == std::string::npos) return {"", path};
    return {path.substr(0, cut + 1), path.substr(cut + 1)};
}
