#include "ui/sheet/condition_validation.h"

#include <cstdint>
#include <string>

#include "model/fiscal_months.h"
#include "platform/file_system.h"
#include "res/condition_sheet_res.h"
#include "ui/sheet/folder_creation.h"
#include "ui/sheet/path_rules.h"
#include "ui/sheet/sheet_view.h"

const char ConditionMessages::kWrongPeriod[] =
    "集計期間に誤りがあります。\n\n集計期間を設定しなおしてください。";
const char ConditionMessages::kBeforeIntroduction[] =
    "集計期間には、導入開始月より前は指定できません。";
const char ConditionMessages::kNoOutputPath[] =
    "データ出力先が指定されていません。\n\n出力先を指定してください。";
const char ConditionMessages::kInvalidCharacter[] =
    "データの出力先に不正な文字が含まれています。\n\n出力先を再入力してください。";
const char ConditionMessages::kInvalidDrive[] =
    "ドライブ名が有効でありません。\n\n有効なドライブを指定してください。";
const char ConditionMessages::kNoFileName[] = "ファイル名が指定されていません。";
const char ConditionMessages::kCreateFolder[] =
    "指定されたフォルダは存在しません。\n\n作成してもよろしいですか？";
const char ConditionMessages::kFolderNotCreated[] =
    "フォルダの作成に失敗しました。\n\n出力先を再入力してください。";
const char ConditionMessages::kOverwriteFile[] =
    "同名のファイルが存在します。\n\n上書きしてもよろしいですか？";
const char ConditionMessages::kOutputReadOnly[] =
    "出力先のファイルは読み取り専用のため、上書きできません。\n\n出力先を変更してください。";
const char ConditionMessages::kOutputInUse[] =
    "出力先のファイルは他のアプリケーションで使用中です。\n\n"
    "ファイルを閉じてから、もう一度実行してください。";

namespace {

using Messages = ConditionMessages;

bool IsWrongPeriod(Host& host, const AggregationConditions& conditions) {
    std::int16_t first = 0;
    std::int16_t last = 0;
    FiscalMonthRange(host, conditions.periodStart, conditions.periodEnd, &first, &last);
    return ::IsWrongPeriod(first, last, conditions.startMonth, conditions.endMonth);
}

bool IsBeforeIntroduction(Host& host, const AggregationConditions& conditions) {
    std::int16_t first = 0;
    std::int16_t last = 0;
    FiscalMonthRange(host, conditions.periodStart, conditions.periodEnd, &first, &last);
    return EndsBeforeIntroduction(first, last, conditions.startMonth, conditions.endMonth,
                                  conditions.introMonth);
}

// Back to page 1 with the focus on the output path, after a question
// answered No.
void BackToPath(SheetView& view) {
    view.ActivatePage(0);
    view.FocusConditionField(IDE_OUTPUT_PATH);
}

}  // namespace

void Refuse(SheetView& view, const char* message, int fieldId) {
    view.ShowError(message);
    view.ActivatePage(0);
    view.FocusConditionField(fieldId);
}

bool ValidateConditions(Host& host, const AggregationConditions& conditions, FileSystem& fileSystem,
                        SheetView& view, const std::function<void()>& browseOutputFile) {
    if (IsWrongPeriod(host, conditions)) {
        Refuse(view, Messages::kWrongPeriod, IDE_END_MONTH);
        return false;
    }
    if (IsBeforeIntroduction(host, conditions)) {
        Refuse(view, Messages::kBeforeIntroduction, IDE_END_MONTH);
        return false;
    }
    const std::string& path = conditions.outputPath;
    if (path.empty()) {
        view.ShowError(Messages::kNoOutputPath);
        view.ActivatePage(0);
        if (browseOutputFile) browseOutputFile();
        return false;
    }
    if (!IsValidPathText(path)) {
        Refuse(view, Messages::kInvalidCharacter, IDE_OUTPUT_PATH);
        return false;
    }
    if (!IsUsableDrive(fileSystem, path)) {
        Refuse(view, Messages::kInvalidDrive, IDE_OUTPUT_PATH);
        return false;
    }
    if (FileNamePartOf(path).empty()) {
        Refuse(view, Messages::kNoFileName, IDE_OUTPUT_PATH);
        return false;
    }
    const std::string folder = FolderPartOf(path);
    if (!folder.empty() && !fileSystem.FolderExists(folder)) {
        if (!view.AskYesNo(Messages::kCreateFolder)) {
            BackToPath(view);
            return false;
        }
        if (!CreateFolderPath(fileSystem, folder)) {
            Refuse(view, Messages::kFolderNotCreated, IDE_OUTPUT_PATH);
            return false;
        }
    }
    // A path the host preset is the host's choice: it is overwritten
    // without asking.
    if (conditions.pathFixed == 0) {
        if (fileSystem.FolderExists(path)) {
            Refuse(view, Messages::kNoFileName, IDE_OUTPUT_PATH);
            return false;
        }
        if (fileSystem.FileExists(path) && !view.AskYesNo(Messages::kOverwriteFile)) {
            BackToPath(view);
            return false;
        }
    }
    // The file is to be replaced: one that cannot be would fail only after
    // the aggregation, with the sheet and the user's changes gone.
    switch (fileSystem.WhatBlocksReplacing(path)) {
        case ReplaceBlock::kReadOnly:
            Refuse(view, Messages::kOutputReadOnly, IDE_OUTPUT_PATH);
            return false;
        case ReplaceBlock::kInUse:
            Refuse(view, Messages::kOutputInUse, IDE_OUTPUT_PATH);
            return false;
        case ReplaceBlock::kNone:
            break;
    }
    return true;
}
