#include "model/item_definition_file.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "model/item_catalogue.h"
#include "model/statement_item.h"

namespace {

// The line end that follows the header on its line.
constexpr std::size_t kHeaderLineEndBytes = 2;

constexpr std::int64_t kDecimalMagnitudeLimit = std::int64_t{1} << 31;
constexpr std::uint64_t kHexMagnitudeLimit = std::uint64_t{1} << 32;

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDecimalDigit(char c) {
    return c >= '0' && c <= '9';
}

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Skips leading blanks and an optional sign; returns the position after them.
std::size_t SkipBlanksAndSign(std::string_view text, bool& negative) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    return i;
}

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

bool FindSectionBody(std::string_view fileBytes, std::string_view header, std::string& body) {
    const std::size_t headerAt = fileBytes.find(header);
    if (headerAt == std::string_view::npos) return false;
    const std::size_t headerEnd = headerAt + header.size();
    const std::size_t terminatorAt = fileBytes.find(kSectionTerminator, headerEnd);
    if (terminatorAt == std::string_view::npos) return false;
    if (terminatorAt - headerAt > kMaxSectionBytes) return false;
    // A terminator right after the header (its line ending in a lone "\n")
    // gives an empty body, not a negative length.
    const std::size_t bodyAt = std::min(headerEnd + kHeaderLineEndBytes, terminatorAt);
    body.assign(fileBytes.substr(bodyAt, terminatorAt - bodyAt));
    return true;
}

std::vector<std::string_view> BodyLines(std::string_view body) {
    std::vector<std::string_view> lines;
    std::size_t from = 0;
    while (true) {
        const std::size_t lineEnd = body.find('\n', from);
        if (lineEnd == std::string_view::npos) break;
        const std::size_t length = lineEnd + 1 - from;
        if (length <= kMaxBodyLineBytes) lines.push_back(body.substr(from, length));
        from = lineEnd + 1;
    }
    return lines;
}

std::int32_t LenientDecimal(std::string_view text) {
    bool negative = false;
    std::size_t i = SkipBlanksAndSign(text, negative);
    std::int64_t magnitude = 0;
    for (; i < text.size() && IsDecimalDigit(text[i]); ++i) {
        magnitude = std::min(magnitude * 10 + (text[i] - '0'), kDecimalMagnitudeLimit);
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX));
}

std::int16_t LenientInt16(std::string_view text) {
    const std::int32_t low =
        static_cast<std::int32_t>(static_cast<std::uint32_t>(LenientDecimal(text)) & 0xFFFFu);
    return static_cast<std::int16_t>(low >= 0x8000 ? low - 0x10000 : low);
}

std::uint32_t LenientHex(std::string_view text) {
    bool negative = false;
    std::size_t i = SkipBlanksAndSign(text, negative);
    if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        i += 2;
    }
    std::uint64_t magnitude = 0;
    for (; i < text.size() && HexDigitValue(text[i]) >= 0; ++i) {
        magnitude =
            std::min<std::uint64_t>(magnitude * 16 + HexDigitValue(text[i]), kHexMagnitudeLimit);
    }
    if (magnitude >= kHexMagnitudeLimit) return UINT32_MAX;
    const std::uint32_t value = static_cast<std::uint32_t>(magnitude);
    return negative ? 0u - value : value;
}

bool ReadDataFileBytes(const std::string& path, std::string& bytes) {
    try {
        std::ifstream in(path, std::ios::binary);
        if (!in) return false;
        std::string read{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        if (in.bad()) return false;
        bytes.swap(read);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

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

int LoadItemDefinitionFile(const std::string& path, ItemCatalogue& itemCatalogue) {
    std::string bytes;
    if (!ReadDataFileBytes(path, bytes)) return 0;
    return LoadItemDefinitions(bytes, itemCatalogue);
}
