#include "model/account_id_text.h"

#include "host/host_records.h"

std::string FormatAccountIdText(const std::uint8_t* idBytes) {
    static const char kDigits[] = "0123456789abcdef";
    std::string text = "0x";
    for (std::size_t i = 0; i < AccountRecord::kIdWidth; ++i) {
        text.push_back(kDigits[idBytes[i] >> 4]);
        text.push_back(kDigits[idBytes[i] & 0x0F]);
    }
    return text;
}
