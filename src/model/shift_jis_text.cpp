#include "model/shift_jis_text.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace {

char FoldAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

}  // namespace

bool IsShiftJisLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

bool IsShiftJisTrailByte(unsigned char byte) {
    return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFC);
}

std::size_t CharacterWidthAt(std::string_view text, std::size_t index) {
    const bool pair = index + 1 < text.size() &&
                      IsShiftJisLeadByte(static_cast<unsigned char>(text[index])) &&
                      IsShiftJisTrailByte(static_cast<unsigned char>(text[index + 1]));
    return pair ? 2 : 1;
}

bool IsDoubleByteAt(std::string_view text, std::size_t index) {
    for (std::size_t i = 0; i < text.size() && i <= index;) {
        const std::size_t width = CharacterWidthAt(text, i);
        if (width == 2 && index <= i + 1) return true;
        i += width;
    }
    return false;
}

std::size_t FindSingleByte(std::string_view text, std::string_view anyOf, std::size_t from) {
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t width = CharacterWidthAt(text, i);
        if (width == 1 && i >= from && anyOf.find(text[i]) != std::string_view::npos) return i;
        i += width;
    }
    return std::string_view::npos;
}

std::size_t FindLastSingleByte(std::string_view text, std::string_view anyOf) {
    std::size_t found = std::string_view::npos;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t width = CharacterWidthAt(text, i);
        if (width == 1 && anyOf.find(text[i]) != std::string_view::npos) found = i;
        i += width;
    }
    return found;
}

bool EndsWithSingleByte(std::string_view text, char c) {
    return !text.empty() && text.back() == c && !IsDoubleByteAt(text, text.size() - 1);
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size();) {
        const std::size_t width = CharacterWidthAt(a, i);
        if (width == 2) {
            if (a.compare(i, 2, b, i, 2) != 0) return false;
        } else if (FoldAscii(a[i]) != FoldAscii(b[i])) {
            return false;
        }
        i += width;
    }
    return true;
}

std::string CutAtCharacterBoundary(std::string_view text, std::size_t maxBytes) {
    std::size_t end = 0;
    while (end < text.size()) {
        const std::size_t width = CharacterWidthAt(text, end);
        if (width > maxBytes - end) break;
        end += width;
    }
    return std::string(text.substr(0, end));
}
