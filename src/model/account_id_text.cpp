#include "model/account_id_text.h"

#include <string>
#include <string_view>

#include "host/host_records.h"

namespace {

constexpr char kDigits[] = "0123456789abcdef";

int LowerHexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

}  // namespace

static_assert(AccountRecord::kIdWidth == std::tuple_size<AccountIdBytes>::value,
              "an account id has 16 bytes");

std::string FormatAccountIdText(const std::uint8_t* idBytes) {
    char text[2 + 2 * AccountRecord::kIdWidth] = {'0', 'x'};
    for (std::size_t i = 0; i < AccountRecord::kIdWidth; ++i) {
        text[2 + 2 * i] = kDigits[idBytes[i] >> 4];
        text[3 + 2 * i] = kDigits[idBytes[i] & 0x0F];
    }
    return std::string(text, sizeof text);
}

bool ParseAccountIdText(std::string_view text, AccountIdBytes& bytes) {
    if (text.size() != 2 + 2 * bytes.size() || text[0] != '0' || text[1] != 'x') return false;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const int high = LowerHexValue(text[2 + 2 * i]);
        const int low = LowerHexValue(text[3 + 2 * i]);
        if (high < 0 || low < 0) return false;
        bytes[i] = static_cast<std::uint8_t>(high << 4 | low);
    }
    return true;
}
