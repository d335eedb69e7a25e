#include "report/overview_report.h"

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <utility>

#include "report/full_width_name.h"

namespace {

constexpr std::int64_t kUnitsPerYen = 10000;
// The importing application's field widths: twelve digits, or a minus sign
// and eleven digits.
constexpr std::int64_t kMaxYen = 999999999999;
constexpr std::int64_t kMinYen = -99999999999;

constexpr int kMonths = 12;
constexpr int kSystemDepth = 1;
constexpr int kFieldDepth = 2;
constexpr int kGroupDepth = 3;
constexpr int kItemDepth = 4;

}  // namespace

std::string TwoDigitName(const std::string& prefix, int n) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%02d", n);
    return prefix + digits;
}

std::string AmountText(std::int64_t amount) {
    const std::int64_t yen = amount / kUnitsPerYen;
    if (yen == 0 || yen > kMaxYen || yen < kMinYen) return {};
    return std::to_string(yen);
}

int MonthNumber(int startMonth, int n) {
    const int month = startMonth + n - 1;
    return month > kMonths ? month - kMonths : month;
}

ClOverviewReport::ClOverviewReport(ProgressSink& progress, const ItemCatalogue& itemCatalogue,
                                   const EditionInfo& edition, FileSystem& files)
    : progress_(progress), itemCatalogue_(itemCatalogue), edition_(edition), files_(files) {}

int ClOverviewReport::WriteReport(const std::string& outputPath, std::int16_t functionNo,
                                  int startMonth, const DatasetRecord& dataset) {
    const std::unique_ptr<OutputFile> file = files_.CreateOutputFile();
    ClXmlWriter writer;
    // Neither result needs a test here: a file that is not open fails the
    // first element of the first section.
    writer.OpenFile(*file, outputPath);
    writer.WriteText(kXmlDeclaration);
    writer.OpenElement("REPORT", 0);
    progress_.Tick();

    bool written = WriteSystemSection(writer, functionNo) == 1;
    if (written) {
        progress_.Tick();
        written = WriteBasicSection(writer, dataset) == 1;
    }
    if (written) {
        progress_.Tick();
        written = WriteDataSection(writer, startMonth) == 1;
    }
    if (written) progress_.Tick();

    // The closing tag and the bytes the file still holds belong to the
    // document as much as the sections do; only a whole document replaces
    // what stood at the path.
    written = writer.CloseElement("REPORT", 0) && written;
    if (!written) {
        writer.AbandonFile();
        return 0;
    }
    return writer.CloseFile() ? 1 : 0;
}

int ClOverviewReport::WriteSystemSection(ClXmlWriter& writer, std::int16_t functionNo) {
    ClSupportInfo supportInfo(files_, supportInfoFolder_, showMessage_);
    std::string productName = supportInfo.ProductName();
    if (productName.empty()) productName = edition_.displayName;
    std::string productVersion = supportInfo.ProductVersion();
    if (productVersion.empty()) productVersion = edition_.fallbackProductVersion;

    if (!writer.OpenElement("SYSTEM", kSystemDepth)) return 0;
    const std::pair<const char*, std::string> fields[] = {
        {"GYOUMUPREFIX", "QB16"},
        {"VERSION", "1"},
        {"FUNCTIONID", std::to_string(functionNo)},
        {"CONNECTEDPROGRAMVER", edition_.programVersion},
        {"PROGRAMNAME", productName},
        {"PROGRAMVER", productVersion},
    };
    for (const auto& [name, value] : fields) {
        if (!writer.WriteElement(name, value, kFieldDepth)) return 0;
        progress_.Tick();
    }
    if (!writer.CloseElement("SYSTEM", kSystemDepth)) return 0;
    progress_.StepRange(progressBase_, progressBase_ + 100);
    return 1;
}

int ClOverviewReport::WriteBasicSection(ClXmlWriter& writer, const DatasetRecord& dataset) {
    if (!writer.OpenElement("BASIC", kSystemDepth)) return 0;
    progress_.Tick();
    if (!writer.WriteElement("KOMONSAKINAME", ToFullWidthName(dataset.CompanyName()), kFieldDepth))
        return 0;
    progress_.Tick();
    if (!writer.WriteElement("JIGYOUNENDOFROM", std::to_string(dataset.PeriodStart()), kFieldDepth))
        return 0;
    progress_.Tick();
    if (!writer.WriteElement("JIGYOUNENDOTO", std::to_string(dataset.PeriodEnd()), kFieldDepth))
        return 0;
    progress_.Tick();
    if (!writer.CloseElement("BASIC", kSystemDepth)) return 0;
    progress_.StepRange(progressBase_ + 100, progressBase_ + 200);
    return 1;
}

int ClOverviewReport::WriteDataSection(ClXmlWriter& writer, int startMonth) {
    if (!writer.OpenElement("DATA", kSystemDepth)) return 0;

    // Main items come first in the catalogue; the walk ends at the first
    // monthly item. The group wraps every main item the walk meets, so the
    // document stays well formed even for a catalogue that lacks item 1 or
    // item 35 or lists them elsewhere.
    auto item = itemCatalogue_.begin();
    bool groupOpen = false;
    for (; item != itemCatalogue_.end(); ++item) {
        progress_.Tick();
        if (item->itemNo >= kFirstMonthlyItemNo) break;
        if (!groupOpen) {
            if (!writer.OpenElement("SYUYOUKAMOKU", kGroupDepth)) return 0;
            groupOpen = true;
        }
        if (item->HasXmlElement() &&
            !writer.WriteElement(item->key(), AmountText(item->amounts[0]), kItemDepth))
            return 0;
        if (item->itemNo == kLastMainItemNo) {
            if (!writer.CloseElement("SYUYOUKAMOKU", kGroupDepth)) return 0;
            groupOpen = false;
        }
    }
    if (groupOpen && !writer.CloseElement("SYUYOUKAMOKU", kGroupDepth)) return 0;

    // The monthly items are those from where the main walk stopped to the
    // end; main items never get monthly elements.
    const auto monthlyBegin = item;
    if (!writer.OpenElement("TUKIBETUURIAGEDAKA", kGroupDepth)) return 0;
    for (int n = 1; n <= kMonths; ++n) {
        progress_.Tick();
        if (!writer.WriteElement(TwoDigitName("TUKIBETU_", n),
                                 std::to_string(MonthNumber(startMonth, n)), kItemDepth))
            return 0;
        for (auto monthly = monthlyBegin; monthly != itemCatalogue_.end(); ++monthly) {
            if (!monthly->HasXmlElement()) continue;
            if (!writer.WriteElement(TwoDigitName(monthly->key(), n),
                                     AmountText(monthly->amounts[n]), kItemDepth))
                return 0;
        }
    }
    if (!writer.CloseElement("TUKIBETUURIAGEDAKA", kGroupDepth)) return 0;
    if (!writer.CloseElement("DATA", kSystemDepth)) return 0;
    progress_.StepRange(progressBase_ + 200, ProgressSink::kMainSteps);
    return 1;
}
