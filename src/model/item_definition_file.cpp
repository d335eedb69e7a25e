#include "model/item_definition_file.h"

#include <array>
#include <cstddef>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "model/item_catalogue.h"
#include "model/lenient_number.h"
#include "model/section_frame.h"
#include "model/statement_item.h"

namespace {

// Appends the "+"-separated codes of the class-code field; false when there
// are more than the record's slots.
bool ParseClassCodes(std::string_view field, StatementItem& item) {
    std::size_t slot = 0;
    std::size_t from = 0;
    while (true) {
        if (slot == kClassCodeSlots) return false;
        const std::size_t plus = field.find('+', from);
        const std::size_t end = plus == std::string_view::npos ? field.size() : plus;
        item.classCodes[slot++] = LenientHex(field.substr(from, end - from));
        if (plus == std::string_view::npos) return true;
        from = plus + 1;
    }
}

// itemNo "/" side "/" codes "/" name "/" key ";" rest. None of these
// separators can be the second byte of a double-byte character, so a byte
// search is safe on Shift_JIS text.
bool ParseItemLine(std::string_view line, StatementItem& item) {
    std::array<std::size_t, 4> slashes{};
    std::size_t from = 0;
    for (std::size_t& slash : slashes) {
        slash = line.find('/', from);
        if (slash == std::string_view::npos) return false;
        from = slash + 1;
    }
    const std::size_t semicolon = line.find(';', from);
    if (semicolon == std::string_view::npos) return false;

    auto between = [line](std::size_t after, std::size_t end) {
        return line.substr(after + 1, end - after - 1);
    };
    const std::string_view name = between(slashes[2], slashes[3]);
    const std::string_view key = between(slashes[3], semicolon);
    if (name.size() > kItemNameBytes || key.size() > kItemKeyBytes) return false;

    item.itemNo = LenientInt16(line.substr(0, slashes[0]));
    item.side = LenientInt16(between(slashes[0], slashes[1]));
    if (!ParseClassCodes(between(slashes[1], slashes[2]), item)) return false;
    item.SetName(std::string(name));
    item.SetKey(std::string(key));
    return true;
}

}  // namespace

int LoadItemDefinitions(std::string_view fileBytes, ItemCatalogue& itemCatalogue) {
    try {
        std::string body;
        if (!FindSectionBody(fileBytes, kCommonSectionHeader, body)) return 0;
        const std::vector<std::string_view> lines = BodyLines(body);
        itemCatalogue.Clear();
        for (const std::string_view line : lines) {
            StatementItem item;
            if (!ParseItemLine(line, item)) continue;
            if (!itemCatalogue.Append(item)) return 0;
        }
        return 1;
    } catch (const std::bad_alloc&) {
        return 0;
    }
}

int LoadItemDefinitionFile(FileSystem& files, const std::string& path,
                           ItemCatalogue& itemCatalogue) {
    std::string bytes;
    if (files.ReadWholeFile(path, bytes) != FileRead::kRead) return 0;
    return LoadItemDefinitions(bytes, itemCatalogue);
}
