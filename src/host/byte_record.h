// Fixed-size, packed, little-endian records as the host libraries exchange
// them. Fields are read and written at byte offsets, so the layout never
// depends on the compiler's padding or the machine's byte order.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

template <std::size_t Size>
class ByteRecord {
  public:
    static constexpr std::size_t kSize = Size;

    ByteRecord() { Clear(); }

    void Clear() { bytes_.fill(0); }
    std::uint8_t* Data() { return bytes_.data(); }
    const std::uint8_t* Data() const { return bytes_.data(); }

    std::uint8_t Byte(std::size_t offset) const { return bytes_.at(offset); }
    void SetByte(std::size_t offset, std::uint8_t value) { bytes_.at(offset) = value; }

    std::uint64_t ReadUnsigned(std::size_t offset, std::size_t width) const {
        std::uint64_t value = 0;
        for (std::size_t i = width; i > 0; --i) {
            value = (value << 8) | bytes_.at(offset + i - 1);
        }
        return value;
    }
    void WriteUnsigned(std::size_t offset, std::size_t width, std::uint64_t value) {
        for (std::size_t i = 0; i < width; ++i) {
            bytes_.at(offset + i) = static_cast<std::uint8_t>(value >> (8 * i));
        }
    }

    std::int16_t ReadInt16(std::size_t offset) const {
        return static_cast<std::int16_t>(ReadUnsigned(offset, 2));
    }
    std::int32_t ReadInt32(std::size_t offset) const {
        return static_cast<std::int32_t>(ReadUnsigned(offset, 4));
    }
    std::uint32_t ReadUint32(std::size_t offset) const {
        return static_cast<std::uint32_t>(ReadUnsigned(offset, 4));
    }
    std::int64_t ReadInt64(std::size_t offset) const {
        return static_cast<std::int64_t>(ReadUnsigned(offset, 8));
    }
    void WriteInt16(std::size_t offset, std::int16_t v) {
        WriteUnsigned(offset, 2, static_cast<std::uint16_t>(v));
    }
    void WriteInt32(std::size_t offset, std::int32_t v) {
        WriteUnsigned(offset, 4, static_cast<std::uint32_t>(v));
    }
    void WriteUint32(std::size_t offset, std::uint32_t v) { WriteUnsigned(offset, 4, v); }
    void WriteInt64(std::size_t offset, std::int64_t v) {
        WriteUnsigned(offset, 8, static_cast<std::uint64_t>(v));
    }

    // A NUL-terminated text in a field of `width` bytes; reading stops at
    // the field's end even when the host left no terminator.
    std::string ReadText(std::size_t offset, std::size_t width) const {
        std::string text;
        for (std::size_t i = 0; i < width && bytes_.at(offset + i) != 0; ++i) {
            text.push_back(static_cast<char>(bytes_.at(offset + i)));
        }
        return text;
    }
    // Stores at most width - 1 bytes and always a terminator; returns false
    // when the text did not fit whole.
    bool WriteText(std::size_t offset, std::size_t width, const std::string& text) {
        const std::size_t length = text.size() < width ? text.size() : width - 1;
        for (std::size_t i = 0; i < width; ++i) {
            bytes_.at(offset + i) = i < length ? static_cast<std::uint8_t>(text[i]) : 0;
        }
        return length == text.size();
    }

  private:
    std::array<std::uint8_t, Size> bytes_;
};
