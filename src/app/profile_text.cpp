#include "app/profile_text.h"

#include <algorithm>
#include <cstddef>
#include <string>

#include "model/shift_jis_text.h"

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::string Trim(const std::string& text, std::size_t begin, std::size_t end) {
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    // Blanks are below 0x40, so none of them can be the second byte of a
    // double-byte character.
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

// Position of the first ']' from `begin` that is a character of its own
// (0x5D can be the second byte of a double-byte character), or `end`.
std::size_t FindClosingBracket(const std::string& text, std::size_t begin, std::size_t end) {
    const std::size_t found =
        FindSingleByte(std::string_view(text).substr(begin, end - begin), "]");
    return found == std::string_view::npos ? end : begin + found;
}

std::string FinishValue(std::string value, std::size_t maxChars) {
    // The value ends up in a C string: it stops at a NUL byte.
    value.erase(std::min(value.find('\0'), value.size()));
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        value = value.substr(1, value.size() - 2);
    return CutAtCharacterBoundary(value, maxChars);
}

}  // namespace

std::string ReadProfileString(const std::string& fileBytes, const std::string& section,
                              const std::string& key, const std::string& defaultValue,
                              std::size_t maxChars) {
    // A file saved as UTF-8 with a byte order mark still has its first
    // section.
    const std::string bom = "\xEF\xBB\xBF";
    std::size_t lineStart = fileBytes.compare(0, bom.size(), bom) == 0 ? bom.size() : 0;
    bool inSection = false;
    while (lineStart < fileBytes.size()) {
        std::size_t lineEnd = fileBytes.find('\n', lineStart);
        if (lineEnd == std::string::npos) lineEnd = fileBytes.size();
        const std::size_t next = lineEnd + 1;

        std::size_t first = lineStart;
        while (first < lineEnd && IsBlank(fileBytes[first]))
            ++first;
        if (first == lineEnd || fileBytes[first] == ';') {
            lineStart = next;
            continue;
        }
        if (fileBytes[first] == '[') {
            const std::size_t close = FindClosingBracket(fileBytes, first + 1, lineEnd);
            if (close != lineEnd) {
                // Only the first section of that name counts.
                if (inSection) break;
                inSection = SameIgnoringCase(Trim(fileBytes, first + 1, close), section);
                lineStart = next;
                continue;
            }
        }
        if (inSection) {
            // '=' (0x3D) is never the second byte of a double-byte character.
            const auto lineBegin = fileBytes.begin() + static_cast<std::ptrdiff_t>(first);
            const auto lineStop = fileBytes.begin() + static_cast<std::ptrdiff_t>(lineEnd);
            const auto equals =
                static_cast<std::size_t>(std::find(lineBegin, lineStop, '=') - fileBytes.begin());
            if (equals < lineEnd && SameIgnoringCase(Trim(fileBytes, first, equals), key))
                return FinishValue(Trim(fileBytes, equals + 1, lineEnd), maxChars);
        }
        lineStart = next;
    }
    return CutAtCharacterBoundary(defaultValue, maxChars);
}
