#include "ui/sheet/condition_entry_sheet.h"

#include "host/folder_service.h"
#include "ui/sheet/fiscal_months.h"

const char ClConditionEntrySheet::kCaption[] = "事業概況書 - 集計条件";
const char ClConditionEntrySheet::kPageTitles[kPageCount][16] = {"集計条件", "主要科目",
                                                                 "月別売上等"};
const char ClConditionEntrySheet::kExitQuestion[] = "入力した情報を保存して終了しますか？";
const char ClConditionEntrySheet::kExitNotice[] = "｢事業概況書｣の集計を中止します。";

ClConditionEntrySheet::~ClConditionEntrySheet() {
    ClFolderService::Instance()->ReleaseInstance();
}

void ClConditionEntrySheet::Initialise() {
    if (!conditions.outputPath.empty()) conditions.pathFixed = 1;
    FiscalMonthRange(conditions.periodStart, conditions.periodEnd, &conditions.startMonth,
                     &conditions.endMonth);
    conditions.endMonth = static_cast<std::int16_t>(conditions.endMonth % 100);
}

void ClConditionEntrySheet::OnPageActivated(int index) {
    activePage_ = index;
    if (view_ != nullptr) view_->EnableNavigation(index > 0, index < kPageCount - 1);
}

void ClConditionEntrySheet::OnNextPage() {
    if (activePage_ < kPageCount - 1 && view_ != nullptr) view_->ActivatePage(activePage_ + 1);
}

void ClConditionEntrySheet::OnPreviousPage() {
    if (activePage_ > 0 && view_ != nullptr) view_->ActivatePage(activePage_ - 1);
}

void ClConditionEntrySheet::OnRun() {
    if (view_ != nullptr) view_->EndSheet(kRunResult);
}

void ClConditionEntrySheet::OnExit() {
    if (view_ == nullptr) return;
    view_->AskYesNo(kExitQuestion);
    view_->ShowInformation(kExitNotice);
    view_->EndSheet(kCancelResult);
}

bool ClConditionEntrySheet::FilterKey(const KeyMessage& message) {
    switch (DecideSheetKey(message)) {
        case SheetKeyAction::kPass:
            return false;
        case SheetKeyAction::kSwallow:
            return true;
        case SheetKeyAction::kRun:
            OnRun();
            return true;
        case SheetKeyAction::kExit:
            OnExit();
            return true;
        case SheetKeyAction::kPreviousPage:
            OnPreviousPage();
            return true;
        case SheetKeyAction::kNextPage:
            OnNextPage();
            return true;
    }
    return false;
}
