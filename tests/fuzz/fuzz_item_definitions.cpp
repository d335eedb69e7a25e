// Any bytes as the item definition file.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "model/item_catalogue.h"
#include "model/item_definition_file.h"
#include "model/section_frame.h"
#include "model/statement_item.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // No copy: the sanitizer sees any read past the caller's bytes.
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    ItemCatalogue catalogue;
    StatementItem before;
    before.itemNo = -1;
    catalogue.Append(before);
    const int loaded = LoadItemDefinitions(bytes, catalogue);

    std::string body;
    const bool framed = FindSectionBody(bytes, kCommonSectionHeader, body);
    if (loaded != (framed ? 1 : 0)) __builtin_trap();
    if (!loaded) {
        if (catalogue.size() != 1 || catalogue.begin()->itemNo != -1) __builtin_trap();
        return 0;
    }
    if (body.size() > kMaxSectionBytes) __builtin_trap();
    const auto lineEnds = static_cast<std::size_t>(std::count(body.begin(), body.end(), '\n'));
    if (catalogue.size() > lineEnds) __builtin_trap();
    for (const StatementItem& item : catalogue) {
        if (item.name().size() > kItemNameBytes || item.key().size() > kItemKeyBytes) {
            __builtin_trap();
        }
        if (item.name().find('\n') != std::string::npos) __builtin_trap();
        if (item.key().find(';') != std::string::npos) __builtin_trap();
    }
    for (const std::string_view line : BodyLines(body)) {
        if (line.size() > kMaxBodyLineBytes || line.back() != '\n') __builtin_trap();
    }
    return 0;
}
