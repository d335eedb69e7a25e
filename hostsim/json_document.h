// A strict JSON reader (RFC 8259) for the host state file. One pass checks
// the whole text and notes only its containers and object keys; scalars
// are read from the text when the stand-in asks for them. A state of
// 50,000 accounts reads so in a small part of the time a tree of copies of
// every value takes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace hostsim {

class JsonDocument;

// One value of a read document, or none (a missing member). It refers to
// the document, which must outlive it.
class JsonValue {
  public:
    JsonValue() = default;

    explicit operator bool() const { return document_ != nullptr; }
    bool IsObject() const { return Lead() == '{'; }
    bool IsArray() const { return Lead() == '['; }
    bool IsString() const { return Lead() == '"'; }

    // Elements of an array, members of an object.
    std::size_t Size() const;
    // The first element of a non-empty array; each following one by Next,
    // which must not be asked past the last.
    JsonValue First() const;
    JsonValue Next() const;
    // The member's value, or none; an object never names a key twice.
    JsonValue Member(std::string_view key) const;

    // A string's text with its escapes decoded (kept in `scratch` when it
    // has any), UTF-8.
    std::string_view Text(std::string& scratch) const;
    // True for an integer number that a 64-bit integer holds: a negative
    // one from -2^63, a non-negative one up to 2^64-1. Fractions, exponents
    // and larger integers are not integers here.
    bool Integer(std::uint64_t& magnitude, bool& negative) const;
    // True for an array of exactly `count` integers that std::int64_t
    // holds, read into `values` in one pass; false leaves `values` unset.
    bool Int64Elements(std::int64_t* values, std::size_t count) const;

  private:
    friend class JsonDocument;
    JsonValue(const JsonDocument* document, std::uint32_t offset, std::uint32_t node)
        : document_(document), offset_(offset), node_(node) {}
    char Lead() const;

    const JsonDocument* document_ = nullptr;
    std::uint32_t offset_ = 0;  // where the value starts in the text
    std::uint32_t node_ = 0;    // the first node at or after it: its own for a container
};

class JsonDocument {
  public:
    // Deeper nesting is refused rather than followed.
    static constexpr std::size_t kMaxDepth = 512;

    struct Failure {
        std::string field;  // "(file)", or where an object names a key twice
        std::string reason;
    };

    // Reads the whole text (a UTF-8 byte order mark first is skipped). False
    // when it is not one JSON value, or an object names a key twice; the
    // first fault in the text is reported. The text must outlive the
    // document.
    bool Read(std::string_view text, Failure& failure);
    JsonValue Root() const { return JsonValue(this, root_, 0); }

  private:
    friend class JsonValue;
    friend class JsonParser;

    // Containers and object keys in document order. A container's keys
    // and inner containers follow it. A container: `a` the index after its
    // last descendant, `b` its size, `c` the offset after its closing
    // bracket. A key: its text [a, b) without the quotes, `c` the offset
    // of its value.
    struct Node {
        std::uint32_t a;
        std::uint32_t b;
        std::uint32_t c;
        bool escaped;  // a key with escapes
    };

    // The key node after `key`'s member.
    std::uint32_t NextKey(std::uint32_t key) const;
    std::string_view KeyText(std::uint32_t key, std::string& scratch) const;

    std::string_view text_;
    std::uint32_t root_ = 0;
    std::vector<Node> nodes_;
};

}  // namespace hostsim
