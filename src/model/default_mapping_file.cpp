#include "model/default_mapping_file.h"

#include <cstddef>
#include <cstdint>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "model/account_lookup.h"
#include "model/lenient_number.h"
#include "model/mapping_entry.h"
#include "model/mapping_list.h"
#include "model/section_frame.h"

namespace {

constexpr std::int64_t kShortCodeLimit = 10000;

// The sources of a line: each text before a ",", from `from` on. Text after
// the last "," (the line end) is no source. "," is never the second byte of
// a double-byte character.
std::vector<std::string_view> SourcesOf(std::string_view line, std::size_t from) {
    std::vector<std::string_view> sources;
    while (true) {
        const std::size_t comma = line.find(',', from);
        if (comma == std::string_view::npos) return sources;
        sources.push_back(line.substr(from, comma - from));
        from = comma + 1;
    }
}

// The account code as the account table holds it, or 0 when the value can
// name no account.
std::int32_t NormalisedCode(std::int32_t value) {
    std::int64_t code = value;
    if (code < kShortCodeLimit) code *= kShortCodeLimit;
    if (code <= 0 || code > INT32_MAX) return 0;
    return static_cast<std::int32_t>(code);
}

// Appends the line's entries; false only when memory runs out.
bool LoadMappingLine(std::string_view line, AccountLookup& accounts, MappingList& defaultMapping) {
    const std::size_t slash = line.find('/');
    if (slash == std::string_view::npos) return true;
    const std::int16_t itemNo = LenientInt16(line.substr(0, slash));
    const std::vector<std::string_view> sources = SourcesOf(line, slash + 1);
    // Checked first so that a rejected line adds nothing at all.
    for (const std::string_view source : sources) {
        if (LenientDecimal(source) == 0 && source.size() > kAccountIdBytes) return true;
    }
    for (const std::string_view source : sources) {
        const std::int32_t value = LenientDecimal(source);
        std::string accountId;
        if (value == 0) {
            accountId.assign(source);
        } else {
            const std::int32_t code = NormalisedCode(value);
            if (code == 0) continue;
            accountId = accounts.AccountIdOfCode(code);
            if (accountId.empty()) continue;
        }
        if (!defaultMapping.Append(MappingEntry(itemNo, accountId))) return false;
    }
    return true;
}

}  // namespace

int LoadDefaultMapping(std::string_view fileBytes, AccountLookup& accounts,
                       MappingList& defaultMapping) {
    try {
        std::string body;
        if (!FindSectionBody(fileBytes, kCommonSectionHeader, body)) return 0;
        const std::vector<std::string_view> lines = BodyLines(body);
        defaultMapping.Clear();
        for (const std::string_view line : lines) {
            if (!LoadMappingLine(line, accounts, defaultMapping)) return 0;
        }
        return 1;
    } catch (const std::bad_alloc&) {
        return 0;
    }
}

int LoadDefaultMappingFile(FileSystem& files, const std::string& path, AccountLookup& accounts,
                           MappingList& defaultMapping) {
    std::string bytes;
    if (files.ReadWholeFile(path, bytes) != FileRead::kRead) return 0;
    return LoadDefaultMapping(bytes, accounts, defaultMapping);
}
