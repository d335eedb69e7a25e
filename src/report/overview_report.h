// The business overview statement as an XML document: a fixed system and
// company part, then one element per item for the period and one per item
// and month, in the order of the item catalogue.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "host/host_records.h"
#include "model/item_catalogue.h"
#include "model/progress_sink.h"
#include "platform/file_system.h"
#include "report/support_info.h"
#include "report/xml_writer.h"
#include "res/edition_info.h"

inline const char kXmlDeclaration[] = "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n";

// The whole-yen text of an amount in ten-thousandths of a yen, truncated
// toward zero. Empty for zero and for values the importing application
// cannot take: above 999999999999 or below -99999999999 yen.
std::string AmountText(std::int64_t amount);

// The calendar month of the n-th month (1 to 12) of a fiscal year that
// starts in `startMonth`.
int MonthNumber(int startMonth, int n);

// `prefix` and `n` in two digits: the element name of a month ("URI03").
std::string TwoDigitName(const std::string& prefix, int n);

class ClOverviewReport {
  public:
    static constexpr std::int16_t kDefaultProgressBase = 500;

    // The report only reads the catalogue; the document and "SUPPORT.INF"
    // go through `files`.
    ClOverviewReport(ProgressSink& progress, const ItemCatalogue& itemCatalogue,
                     const EditionInfo& edition, FileSystem& files);

    // Where the main progress bar stands when the report starts.
    void SetProgressBase(std::int16_t base) { progressBase_ = base; }
    // The folder "SUPPORT.INF" is read from, ending in a separator; empty
    // (the default) reads the current folder.
    void SetSupportInfoFolder(std::string folderPrefix) {
        supportInfoFolder_ = std::move(folderPrefix);
    }
    // Receives the message shown when memory runs out.
    void SetMessageSink(ClSupportInfo::MessageSink showMessage) {
        showMessage_ = std::move(showMessage);
    }

    // Writes the whole document to `outputPath`: 1 when all of it was
    // written, else 0. A partly written file is left in place.
    int WriteReport(const std::string& outputPath, std::int16_t functionNo, int startMonth,
                    const DatasetRecord& dataset);

    // The three sections; each returns 1, or 0 at its first failed write.
    int WriteSystemSection(ClXmlWriter& writer, std::int16_t functionNo);
    int WriteBasicSection(ClXmlWriter& writer, const DatasetRecord& dataset);
    int WriteDataSection(ClXmlWriter& writer, int startMonth);

  private:
    ProgressSink& progress_;
    const ItemCatalogue& itemCatalogue_;
    const EditionInfo& edition_;
    FileSystem& files_;
    std::int16_t progressBase_ = kDefaultProgressBase;
    std::string supportInfoFolder_;
    ClSupportInfo::MessageSink showMessage_;
};
