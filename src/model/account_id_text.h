// The text form of an account's 16 identifier bytes, as mapping entries
// name accounts, and the bytes back from such a text.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

// The 16 identifier bytes of an account.
using AccountIdBytes = std::array<std::uint8_t, 16>;

// "0x" and two lower-case hexadecimal digits per byte, high nibble first.
std::string FormatAccountIdText(const std::uint8_t* idBytes);

// The bytes of a text exactly as FormatAccountIdText writes it; false for
// any other text (upper-case digits, another length, a keyword), which
// therefore names no account's bytes.
bool ParseAccountIdText(std::string_view text, AccountIdBytes& bytes);

struct AccountIdBytesHash {
    std::size_t operator()(const AccountIdBytes& bytes) const {
        std::size_t hash = 14695981039346656037u & static_cast<std::size_t>(-1);
        for (const std::uint8_t byte : bytes)
            hash = (hash ^ byte) * (sizeof(std::size_t) == 8 ? 1099511628211u : 16777619u);
        return hash;
    }
};
