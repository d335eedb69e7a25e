#include "report/support_info.h"

#include <new>
#include <string>
#include <string_view>
#include <utility>

#include "model/shift_jis_text.h"

namespace {

// Where a value ends: the file's lines end in CR LF, and a NUL or the
// end-of-file byte ends the text as well.
bool EndsValue(std::string_view bytes, std::size_t i) {
    const char c = bytes[i];
    return c == '\0' || c == '\x1A' || (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n');
}

}  // namespace

std::string SupportInfoValue(std::string_view fileBytes, std::string_view tag) {
    if (tag.empty()) return {};
    std::size_t i = 0;
    // Tags are matched at character starts only; none of the bytes that end
    // a value is a valid second byte.
    while (i < fileBytes.size() && fileBytes.compare(i, tag.size(), tag) != 0) {
        i += CharacterWidthAt(fileBytes, i);
    }
    if (i >= fileBytes.size()) return {};
    const std::size_t begin = i + tag.size();
    std::size_t end = begin;
    while (end < fileBytes.size() && !EndsValue(fileBytes, end))
        ++end;
    return std::string(fileBytes.substr(begin, end - begin));
}

ClSupportInfo::ClSupportInfo(FileSystem& files, std::string folderPrefix, MessageSink showMessage)
    : files_(files), folderPrefix_(std::move(folderPrefix)), showMessage_(std::move(showMessage)) {}

std::string ClSupportInfo::ProductName() {
    Load();
    return SupportInfoValue(data_, kProductNameTag);
}

std::string ClSupportInfo::ProductVersion() {
    Load();
    return SupportInfoValue(data_, kProductVersionTag);
}

void ClSupportInfo::Load() {
    if (loaded_) return;
    loaded_ = true;
    try {
        std::string area;
        area.reserve(kSupportInfoBytes);
        if (files_.ReadFileBytes(folderPrefix_ + kSupportInfoFileName, kSupportInfoBytes, area) !=
            FileRead::kRead) {
            return;
        }
        data_ = std::move(area);
    } catch (const std::bad_alloc&) {
        data_.clear();
        if (showMessage_) showMessage_(kOutOfMemoryMessage);
    }
}
