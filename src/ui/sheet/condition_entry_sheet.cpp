#include "ui/sheet/condition_entry_sheet.h"

#include "model/default_mapping_file.h"
#include "model/fiscal_months.h"
#include "model/item_definition_file.h"
#include "model/saved_conditions_file.h"
#include "model/shift_jis_text.h"
#include "res/condition_sheet_res.h"
#include "ui/mapping/mapped_accounts_text.h"
#include "ui/sheet/condition_validation.h"
#include "ui/sheet/folder_creation.h"
#include "ui/sheet/path_rules.h"

const char ClConditionEntrySheet::kCaption[] = "事業概況書 - 集計条件";
const char ClConditionEntrySheet::kPageTitles[kPageCount][16] = {"集計条件", "主要科目",
                                                                 "月別売上等"};
const char ClConditionEntrySheet::kExitQuestion[] = "入力した情報を保存して終了しますか？";
const char ClConditionEntrySheet::kExitNotice[] = "｢事業概況書｣の集計を中止します。";
const char ClConditionEntrySheet::kConditionsNotSaved[] =
    "集計条件を保存できませんでした。\n次回の起動時には、今回入力した集計条件は表示されません。\n\n"
    "%s";
const char ClConditionEntrySheet::kConditionsUnreadable[] =
    "保存されている集計条件（%s）を読み込めませんでした。\n\nアプリケーションを終了します。";
const char ClConditionEntrySheet::kUnsafeUserId[] =
    "ログイン中の利用者ID（%s）には、ファイル名に使えない文字が含まれています。\n"
    "そのため、集計条件の読み込みと保存はできません。\n\n今回は初期設定の集計条件で表示します。";
const char ClConditionEntrySheet::kDefinitionsUnreadable[] =
    "項目定義ファイル（%s）を読み込めませんでした。\n\nアプリケーションを終了します。";

namespace {

// `pattern` with its "%s" replaced by `text`.
std::string WithText(const char* pattern, const std::string& text) {
    std::string message = pattern;
    message.replace(message.find("%s"), 2, text);
    return message;
}

}  // namespace

ClConditionEntrySheet::~ClConditionEntrySheet() {
    host_.ReleaseFolders();
}

void ClConditionEntrySheet::Initialise() {
    std::int16_t fiscalStart = conditions.startMonth;
    std::int16_t fiscalEnd = conditions.endMonth;
    FiscalMonthRange(host_, conditions.periodStart, conditions.periodEnd, &fiscalStart, &fiscalEnd);
    if (dataset != nullptr) {
        amounts_ = std::make_unique<SheetAmounts>(host_, *dataset, fiscalStart, fiscalEnd);
    }
    page1.Link({&conditions, [this](const char* message) { RefuseOutputPath(message); }});
    MappingPageLinks links;
    links.accounts = &accounts;
    links.itemCatalogue = itemCatalogue;
    links.currentMapping = currentMapping;
    links.defaultMapping = &defaultMapping;
    links.describeItem = [this](int itemNo) { return DescribeItem(itemNo); };
    if (amounts_) links.amounts = [this] { return CurrentAmounts(); };
    page2.Link(links);
    page3.Link(links);
    if (!conditions.outputPath.empty()) conditions.pathFixed = 1;
    conditions.startMonth = fiscalStart;
    conditions.endMonth = static_cast<std::int16_t>(fiscalEnd % 100);
    const LoadConditionsResult load = LoadConditions();
    if (load == LoadConditionsResult::kUnreadable) {
        // The defaults in their place would be saved over them when the
        // sheet ends: the company's mapping would be lost for good.
        if (view_ != nullptr) {
            view_->ShowError(WithText(kConditionsUnreadable, SavedConditionsFileName(conditions)));
            view_->EndSheet(kFailedResult);
        }
        return;
    }
    const bool savedLoaded = load == LoadConditionsResult::kLoaded;
    if (edition != nullptr && fileSystem != nullptr) {
        LoadDefaultMappingFile(*fileSystem, edition->DefaultMappingFileName(), accounts,
                               defaultMapping);
    }
    // Asked on every run: the detail notes a saved tax view that is not the
    // company's.
    conditions.companyTaxInclusive = host_.TaxInclusiveDefault() ? 1 : 0;
    if (!savedLoaded) {
        conditions.taxInclusive = conditions.companyTaxInclusive;
        if (currentMapping != nullptr) SeedCurrentMapping(defaultMapping, *currentMapping);
    }
    if (conditions.pathFixed == 0 && conditions.savedPath.empty()) BuildDefaultOutputPath();
    page1.ShowConditions(conditions.pathFixed);
    if (view_ != nullptr) view_->FocusConditionField(IDE_END_MONTH);
    if (!LoadAndBindItems()) return;
    if (currentMapping == nullptr) return;
    page2.SetUpItemTips();
    page3.SetUpItemTips();
}

LoadConditionsResult ClConditionEntrySheet::LoadConditions() {
    if (fileSystem == nullptr || currentMapping == nullptr) return LoadConditionsResult::kNotLoaded;
    if (!IsSafeUserId(conditions.userId) && view_ != nullptr) {
        view_->ShowError(WithText(kUnsafeUserId, conditions.userId));
    }
    return LoadSavedConditions(*fileSystem, host_.FolderPath(kFolderConditions), conditions,
                               *currentMapping);
}

std::string ClConditionEntrySheet::DescribeItem(int itemNo) const {
    return DescribeMappedAccounts(*currentMapping, itemNo, accounts);
}

AmountsOnScreen ClConditionEntrySheet::CurrentAmounts() {
    AmountsOnScreen shown;
    if (!amounts_) return shown;
    shown.amounts = amounts_->For(conditions);
    shown.status = amounts_->status();
    shown.period = amounts_->period();
    return shown;
}

void ClConditionEntrySheet::BuildDefaultOutputPath() {
    std::string folder = host_.FolderPath(kFolderOutput);
    if (folder.empty() && fileSystem != nullptr) {
        folder = fileSystem->TemporaryFolder();
        if (!folder.empty()) EnsureTrailingBackslash(folder);
    }
    // A folder that leaves no room for the file name gives no path at all
    // (a cut one would name another folder); "実行(F12)" then asks for one.
    const std::string path = folder + "*.xml";
    conditions.outputPath = path.size() <= kMaxPathBytes ? path : std::string();
}

bool ClConditionEntrySheet::LoadAndBindItems() {
    if (itemCatalogue == nullptr || edition == nullptr || fileSystem == nullptr) return false;
    const std::string fileName = edition->ItemDefinitionFileName();
    if (LoadItemDefinitionFile(*fileSystem, fileName, *itemCatalogue) != 1) {
        // Pages without their items would offer nothing to map: end the
        // sheet as abandoned instead of leaving the user in front of them.
        if (view_ != nullptr) {
            view_->ShowError(WithText(kDefinitionsUnreadable, fileName));
            view_->EndSheet(kCancelResult);
        }
        return false;
    }
    page2.ShowItems(conditions.netAssetsStyle != 0);
    page3.ShowItems(conditions.netAssetsStyle != 0);
    return true;
}

void ClConditionEntrySheet::OnPageActivated(int index) {
    activePage_ = index;
    if (view_ != nullptr) view_->EnableNavigation(index > 0, index < kPageCount - 1);
    // Page 1 may have changed the period or the tax view meanwhile.
    if (index == 1) page2.RefreshItemTips();
    if (index == 2) page3.RefreshItemTips();
}

void ClConditionEntrySheet::OnNextPage() {
    if (activePage_ < kPageCount - 1 && view_ != nullptr) view_->ActivatePage(activePage_ + 1);
}

void ClConditionEntrySheet::OnPreviousPage() {
    if (activePage_ > 0 && view_ != nullptr) view_->ActivatePage(activePage_ - 1);
}

void ClConditionEntrySheet::OnRun() {
    if (view_ == nullptr || fileSystem == nullptr) return;
    if (!ValidateConditions(host_, conditions, *fileSystem, *view_,
                            [this] { page1.BrowseOutputFile(); })) {
        return;
    }
    SaveConditions();
    view_->EndSheet(kRunResult);
}

void ClConditionEntrySheet::RefuseOutputPath(const char* message) {
    if (view_ != nullptr) Refuse(*view_, message, IDE_OUTPUT_PATH);
}

void ClConditionEntrySheet::OnExit() {
    if (view_ == nullptr) return;
    if (view_->AskYesNo(kExitQuestion)) SaveConditions();
    view_->ShowInformation(kExitNotice);
    view_->EndSheet(kCancelResult);
}

void ClConditionEntrySheet::SaveConditions() {
    if (fileSystem == nullptr || currentMapping == nullptr) return;
    const std::string folder = host_.FolderPath(kFolderConditions);
    FileSystem& files = *fileSystem;
    const SaveConditionsResult result = SaveSavedConditions(
        files, folder, [&files](const std::string& f) { return CreateFolderPath(files, f); },
        conditions, *currentMapping);
    if (result == SaveConditionsResult::kWriteFailed && view_ != nullptr) {
        view_->ShowError(
            WithText(kConditionsNotSaved, folder + SavedConditionsFileName(conditions)));
    }
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
