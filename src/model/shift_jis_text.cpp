#include "model/shift_jis_text.h"

#include <cstddef>
#include <string>

bool IsShiftJisLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

std::string CutAtCharacterBoundary(const std::string& text, std::size_t maxBytes) {
    std::size_t end = 0;
    while (end < text.size()) {
        const bool pair =
            IsShiftJisLeadByte(static_cast<unsigned char>(text[end])) && end + 1 < text.size();
        const std::size_t width = pair ? 2 : 1;
        if (width > maxBytes - end) break;
        end += width;
    }
    return text.substr(0, end);
}
