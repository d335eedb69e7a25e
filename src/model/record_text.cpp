#include "model/record_text.h"

#include <cstddef>
#include <string>

#include "model/shift_jis_text.h"

std::string BoundedRecordText(const std::string& text, std::size_t maxBytes) {
    return CutAtCharacterBoundary(text.substr(0, text.find('\0')), maxBytes);
}
