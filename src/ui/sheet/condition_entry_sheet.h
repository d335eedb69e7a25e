// The three-page sheet in which the user sets the aggregation conditions
// and maps accounts to the statement's items: its decisions, without the
// window (condition_entry_sheet_win.cpp shows it).
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "aggregate/sheet_amounts.h"
#include "host/host.h"
#include "host/host_records.h"
#include "model/account_directory.h"
#include "model/aggregation_conditions.h"
#include "model/item_catalogue.h"
#include "model/mapping_list.h"
#include "model/saved_conditions_file.h"
#include "platform/file_system.h"
#include "res/condition_sheet_res.h"
#include "res/edition_info.h"
#include "ui/mapping/account_select_dialog.h"
#include "ui/mapping/mapping_page.h"
#include "ui/sheet/conditions_page.h"
#include "ui/sheet/sheet_keys.h"
#include "ui/sheet/sheet_view.h"

class ClConditionEntrySheet {
  public:
    // The end codes: the ids of "実行(F12)" and "キャンセル(Esc)".
    static constexpr int kRunResult = IDB_RUN;
    static constexpr int kCancelResult = IDB_CANCEL;
    // The sheet could not be filled soundly: the run fails.
    static constexpr int kFailedResult = -1;
    static constexpr int kPageCount = 3;

    static const char kCaption[];
    static const char kPageTitles[kPageCount][16];
    static const char kExitQuestion[];
    static const char kExitNotice[];
    static const char kDefinitionsUnreadable[];
    static const char kConditionsNotSaved[];
    static const char kConditionsUnreadable[];
    static const char kUnsafeUserId[];

    AggregationConditions conditions;
    ClCEPage1 page1;
    ClCEPage2 page2;
    ClCEPage3 page3;
    // Owned by start-up; they outlive the sheet.
    MappingList* currentMapping = nullptr;
    ItemCatalogue* itemCatalogue = nullptr;
    // Read from the edition's default mapping file; the sheet's own.
    MappingList defaultMapping;
    // The edition whose data files the sheet reads, and the file services;
    // set by start-up before the run.
    const EditionInfo* edition = nullptr;
    FileSystem* fileSystem = nullptr;
    // The open dataset's chart of accounts, for the default mapping, the
    // item tips and the account dialogs.
    AccountDirectory accounts;
    // The open dataset, set by start-up before the run; it outlives the
    // sheet. Without it the pages show no amounts.
    const DatasetRecord* dataset = nullptr;

    explicit ClConditionEntrySheet(Host& host) : accounts(host), host_(host) {}
    // Gives back the host's folder service, which the sheet uses.
    ~ClConditionEntrySheet();
    ClConditionEntrySheet(const ClConditionEntrySheet&) = delete;
    ClConditionEntrySheet& operator=(const ClConditionEntrySheet&) = delete;

    // Binds the window; the view must outlive the sheet's run.
    void AttachView(SheetView* view) { view_ = view; }

    // The sheet's own initialisation, once its window and pages exist.
    void Initialise();
    // The sheet's window is gone: the default entries and the kept totals
    // go with it, before the run makes its own query.
    void OnWindowDestroyed() {
        defaultMapping.Clear();
        amounts_.reset();
    }

    // A page became active (by the buttons, the keys or its tab).
    void OnPageActivated(int index);
    void OnNextPage();
    void OnPreviousPage();
    void OnRun();
    void OnExit();
    // Tells the user the output path cannot be taken, with `message`, and
    // brings page 1 forward with the focus in the path field.
    void RefuseOutputPath(const char* message);

    // The sheet's key filter: true when the message was consumed.
    bool FilterKey(const KeyMessage& message);

    int ActivePage() const { return activePage_; }

  private:
    // Reads the saved conditions into the record and the mapping; tells the
    // user once when the user id cannot name their file.
    LoadConditionsResult LoadConditions();
    // Writes the saved conditions; tells the user when the file could not
    // be written although its folder is there.
    void SaveConditions();
    void BuildDefaultOutputPath();
    // Loads the item definitions and binds the mapping pages; false when
    // the file cannot be read (the user has then been told).
    bool LoadAndBindItems();
    // The tip text of an item button on the mapping pages.
    std::string DescribeItem(int itemNo) const;
    // The amounts under the conditions as they stand; the first call reads
    // the host's totals.
    AmountsOnScreen CurrentAmounts();

    Host& host_;
    SheetView* view_ = nullptr;
    int activePage_ = 0;
    // From the initialisation, when start-up gave the dataset.
    std::unique_ptr<SheetAmounts> amounts_;
};
