#include "hostsim/json_document.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace hostsim {

namespace {

using Byte = unsigned char;

const bool kLittleEndian = [] {
    const std::uint16_t one = 1;
    unsigned char first = 0;
    std::memcpy(&first, &one, 1);
    return first == 1;
}();

bool IsDigit(Byte c) {
    return c >= '0' && c <= '9';
}

int HexValue(Byte c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The four hexadecimal digits at `at`, or -1.
long Hex4(std::string_view text, std::size_t at) {
    if (at > text.size() || text.size() - at < 4) return -1;
    long value = 0;
    for (std::size_t i = at; i < at + 4; ++i) {
        const int digit = HexValue(static_cast<Byte>(text[i]));
        if (digit < 0) return -1;
        value = value * 16 + digit;
    }
    return value;
}

void AppendUtf8(std::string& out, std::uint32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | code >> 6);
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | code >> 12);
        out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | code >> 18);
        out += static_cast<char>(0x80 | (code >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// Decodes the escapes of a string the reader has checked.
void Unescape(std::string_view raw, std::string& out) {
    out.clear();
    for (std::size_t i = 0; i < raw.size();) {
        if (raw[i] != '\\') {
            out += raw[i++];
            continue;
        }
        const char c = raw[i + 1];
        i += 2;
        switch (c) {
            case 'b':
                out += '\b';
                break;
            case 'f':
                out += '\f';
                break;
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case 't':
                out += '\t';
                break;
            case 'u': {
                auto code = static_cast<std::uint32_t>(Hex4(raw, i));
                i += 4;
                if (code >= 0xD800 && code <= 0xDBFF) {
                    const auto low = static_cast<std::uint32_t>(Hex4(raw, i + 2));
                    i += 6;
                    code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
                }
                AppendUtf8(out, code);
                break;
            }
            default:
                out += c;
                break;  // '"', '\\', '/'
        }
    }
}

// Whether the integer digits of a number (without its sign) fit in a
// 64-bit integer: up to 2^64-1, or down to -2^63 with a minus sign.
bool FitsInteger64(std::string_view digits, bool negative) {
    const std::string_view limit = negative ? "9223372036854775808" : "18446744073709551615";
    if (digits.size() != limit.size()) return digits.size() < limit.size();
    return digits <= limit;
}

// Whether a number's magnitude is below the largest double: beyond it a
// number is refused like any text that is not JSON, as it cannot be held.
bool FitsDouble(std::string_view number) {
    double value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error != std::errc::result_out_of_range) return true;
    // Out of range is either an overflow or an underflow (which rounds to
    // zero): the decimal exponent of the first significant digit tells.
    std::size_t i = number[0] == '-' ? 1 : 0;
    long exponent = 0;
    bool significant = false;
    for (; i < number.size() && IsDigit(static_cast<Byte>(number[i])); ++i) {
        significant = significant || number[i] != '0';
        if (significant) ++exponent;
    }
    if (i < number.size() && number[i] == '.') {
        // Zeros that open the fraction move the first significant digit.
        for (++i; !significant && i < number.size() && number[i] == '0'; ++i)
            --exponent;
        while (i < number.size() && IsDigit(static_cast<Byte>(number[i])))
            ++i;
    }
    if (i < number.size() && (number[i] == 'e' || number[i] == 'E')) {
        ++i;
        const bool minus = number[i] == '-';
        if (number[i] == '-' || number[i] == '+') ++i;
        long power = 0;
        for (; i < number.size(); ++i)
            power = std::min(power * 10 + (number[i] - '0'), 100000L);
        exponent += minus ? -power : power;
    }
    return exponent <= 0;
}

// Past the blanks from `at`.
std::uint32_t SkipSpace(std::string_view text, std::uint32_t at) {
    while (at < text.size() &&
           (text[at] == ' ' || text[at] == '\n' || text[at] == '\r' || text[at] == '\t')) {
        ++at;
    }
    return at;
}

// Past the string, number or literal at `at` of a checked text.
std::uint32_t ScalarEnd(std::string_view text, std::uint32_t at) {
    if (text[at] == '"') {
        for (++at; text[at] != '"'; ++at) {
            if (text[at] == '\\') ++at;
        }
        return at + 1;
    }
    // Numbers and literals: digits, signs, '.', letters.
    static const auto kInside = [] {
        std::array<bool, 256> inside{};
        for (const char c : std::string_view("0123456789+-.Eeflnrstu")) {
            inside[static_cast<Byte>(c)] = true;
        }
        return inside;
    }();
    while (at < text.size() && kInside[static_cast<Byte>(text[at])])
        ++at;
    return at;
}

// Whether the eight (four) bytes at `p` are all digits: each has the high
// nibble 3, and keeps it after adding 6 (which carries past '9').
bool EightDigits(const char* p, std::uint64_t& chunk) {
    std::memcpy(&chunk, p, 8);
    return ((chunk & 0xF0F0F0F0F0F0F0F0) |
            (((chunk + 0x0606060606060606) & 0xF0F0F0F0F0F0F0F0) >> 4)) == 0x3333333333333333;
}

bool FourDigits(const char* p, std::uint32_t& chunk) {
    std::memcpy(&chunk, p, 4);
    return ((chunk & 0xF0F0F0F0) | (((chunk + 0x06060606) & 0xF0F0F0F0) >> 4)) == 0x33333333;
}

// Past the digits from `p` on, at most `end`. Eight and four at a time
// where the text allows: a state has millions of amounts of up to 19 digits.
const char* SkipDigits(const char* p, const char* end) {
    std::uint64_t eight = 0;
    while (end - p >= 8 && EightDigits(p, eight))
        p += 8;
    std::uint32_t four = 0;
    if (end - p >= 4 && FourDigits(p, four)) p += 4;
    while (p < end && IsDigit(static_cast<Byte>(*p)))
        ++p;
    return p;
}

// Reads the digits from `p` on, at most `end`, as a number modulo 2^64;
// returns past them. The first byte of a chunk is its highest digit.
const char* ReadDigits(const char* p, const char* end, std::uint64_t& number) {
    std::uint64_t value = 0;
    std::uint64_t eight = 0;
    while (kLittleEndian && end - p >= 8 && EightDigits(p, eight)) {
        eight -= 0x3030303030303030;
        eight = eight * 10 + (eight >> 8);  // pairs of digits
        eight = (((eight & 0x000000FF000000FF) * 0x000F424000000064) +
                 (((eight >> 16) & 0x000000FF000000FF) * 0x0000271000000001)) >>
                32;
        value = value * 100000000 + eight;
        p += 8;
    }
    std::uint32_t four = 0;
    if (kLittleEndian && end - p >= 4 && FourDigits(p, four)) {
        four -= 0x30303030;
        four = four * 10 + (four >> 8);  // pairs of digits
        value = value * 10000 + std::uint64_t{four & 0xFF} * 100 + (four >> 16 & 0xFF);
        p += 4;
    }
    for (; p < end && IsDigit(static_cast<Byte>(*p)); ++p) {
        value = value * 10 + static_cast<std::uint64_t>(*p - '0');
    }
    number = value;
    return p;
}

}  // namespace

// One pass over the text; containers are kept open on a stack of their
// own, not by recursion, so no input can exhaust the call stack. Past the
// end the text reads as NUL, which no JSON token holds.
class JsonParser {
  public:
    using Node = JsonDocument::Node;

    // Reads the document's text into its nodes.
    explicit JsonParser(JsonDocument& document)
        : document_(document),
          begin_(document.text_.data()),
          end_(begin_ + document.text_.size()),
          p_(begin_),
          nodes_(document.nodes_) {}

    // The offset of the top-level value, or a failure.
    bool Parse(std::uint32_t& root, JsonDocument::Failure& failure);

  private:
    struct Open {
        std::uint32_t node;
        std::uint32_t count;  // members or elements read so far
        std::uint32_t key;    // the node of the member being read
        bool object;
    };

    bool Fail(const char* what) {
        error_ = what;
        return false;
    }
    // The byte `ahead` of the current one, NUL past the end.
    char At(std::ptrdiff_t ahead = 0) const { return end_ - p_ > ahead ? p_[ahead] : '\0'; }
    void SkipSpace() {
        while (p_ != end_ && (*p_ == ' ' || *p_ == '\n' || *p_ == '\r' || *p_ == '\t'))
            ++p_;
    }
    std::uint32_t Offset(const char* at) const { return static_cast<std::uint32_t>(at - begin_); }
    std::uint32_t NextKey(std::uint32_t key) const { return document_.NextKey(key); }
    std::string_view KeyText(std::uint32_t key, std::string& scratch) const {
        return document_.KeyText(key, scratch);
    }

    bool ReadAll();
    bool Key();
    bool String(bool& escaped);
    bool Escape();
    bool Utf8Sequence();
    bool Number();
    bool Literal(std::string_view word);
    void Close();
    void CheckKeys();
    std::string PathOfKey(std::uint32_t keyNode) const;

    const JsonDocument& document_;
    const char* const begin_;
    const char* const end_;
    const char* p_;
    std::vector<Node>& nodes_;
    std::vector<Open> open_;
    const char* error_ = nullptr;
    std::string duplicate_;  // the first key named twice, as a field path
    std::vector<std::string_view> keys_;
    std::vector<std::string> decoded_;
};

bool JsonParser::Parse(std::uint32_t& root, JsonDocument::Failure& failure) {
    if (end_ - begin_ >= 3 && std::string_view(begin_, 3) == "\xEF\xBB\xBF") p_ += 3;
    SkipSpace();
    root = Offset(p_);
    if (!ReadAll()) {
        const std::string_view before(begin_, static_cast<std::size_t>(p_ - begin_));
        const auto line = 1 + std::count(before.begin(), before.end(), '\n');
        const std::size_t lineStart = before.rfind('\n');
        const std::size_t column =
            before.size() - (lineStart == std::string_view::npos ? 0 : lineStart + 1) + 1;
        failure = {"(file)", std::string("not JSON: ") + error_ + " at line " +
                                 std::to_string(line) + ", column " + std::to_string(column)};
        return false;
    }
    if (!duplicate_.empty()) {
        failure = {duplicate_, "given more than once in its object"};
        return false;
    }
    return true;
}

bool JsonParser::ReadAll() {
    for (;;) {
        // A value: a scalar, or the start of a container.
        SkipSpace();
        const char c = At();
        bool escaped = false;
        if (c == '{' || c == '[') {
            if (open_.size() == JsonDocument::kMaxDepth) return Fail("nested too deep");
            open_.push_back({static_cast<std::uint32_t>(nodes_.size()), 0, 0, c == '{'});
            nodes_.push_back({0, 0, 0, false});
            ++p_;
            SkipSpace();
            if (At() != (c == '{' ? '}' : ']')) {
                if (c == '{' && !Key()) return false;
                continue;  // to its first value
            }
            ++p_;
            Close();
        } else if (c == '"') {
            if (!String(escaped)) return false;
        } else if (c == '-' || IsDigit(static_cast<Byte>(c))) {
            if (!Number()) return false;
        } else if (!Literal(c == 't' ? "true" : c == 'f' ? "false" : "null")) {
            return false;
        }
        // After a whole value: the containers it ends, then a ',' before
        // the next value, or the end of the text.
        for (;;) {
            SkipSpace();
            if (open_.empty()) {
                // NUL bytes may end the file, as a C string written whole
                // leaves one; nothing else may follow the value.
                while (p_ != end_ && *p_ == '\0')
                    ++p_;
                return p_ == end_ || Fail("the text goes on after the value");
            }
            Open& top = open_.back();
            ++top.count;
            if (At() == ',') {
                ++p_;
                if (top.object) {
                    if (!Key()) return false;
                    break;
                }
                // Numbers in arrays, the bulk of a state, straight on.
                SkipSpace();
                if (At() != '-' && !IsDigit(static_cast<Byte>(At()))) break;
                if (!Number()) return false;
                continue;
            }
            if (At() != (top.object ? '}' : ']')) {
                return Fail(top.object ? "',' or '}' expected" : "',' or ']' expected");
            }
            ++p_;
            Close();
        }
    }
}

bool JsonParser::Key() {
    SkipSpace();
    if (At() != '"') return Fail("a key string expected");
    const char* start = p_ + 1;
    bool escaped = false;
    if (!String(escaped)) return false;
    const std::uint32_t end = Offset(p_ - 1);
    SkipSpace();
    if (At() != ':') return Fail("':' expected");
    ++p_;
    SkipSpace();
    open_.back().key = static_cast<std::uint32_t>(nodes_.size());
    nodes_.push_back({Offset(start), end, Offset(p_), escaped});
    return true;
}

// A string from its opening quote to past its closing one.
bool JsonParser::String(bool& escaped) {
    // Bytes that need no look: printable ASCII other than '"' and '\'.
    static const auto kPlain = [] {
        std::array<bool, 256> plain{};
        for (int c = 0x20; c < 0x80; ++c)
            plain[c] = c != '"' && c != '\\';
        return plain;
    }();
    ++p_;
    for (;;) {
        while (p_ != end_ && kPlain[static_cast<Byte>(*p_)])
            ++p_;
        const auto c = static_cast<Byte>(At());
        if (c == '"') break;
        if (c == '\\') {
            escaped = true;
            if (!Escape()) return false;
        } else if (c >= 0x80) {
            if (!Utf8Sequence()) return Fail("not UTF-8 in a string");
        } else {
            return Fail(p_ == end_ ? "the text ended in a string"
                                   : "a control character in a string");
        }
    }
    ++p_;
    return true;
}

bool JsonParser::Escape() {
    switch (At(1)) {
        case '"':
        case '\\':
        case '/':
        case 'b':
        case 'f':
        case 'n':
        case 'r':
        case 't':
            p_ += 2;
            return true;
        case 'u':
            break;
        default:
            return Fail(p_ + 1 == end_ ? "the text ended in a string"
                                       : "an unknown escape in a string");
    }
    const std::string_view text(begin_, static_cast<std::size_t>(end_ - begin_));
    const long code = Hex4(text, Offset(p_) + 2);
    if (code < 0) return Fail("\\u not followed by four hexadecimal digits");
    if (code >= 0xDC00 && code <= 0xDFFF) return Fail("a low surrogate escape without a high one");
    p_ += 6;
    if (code < 0xD800 || code > 0xDBFF) return true;
    const long low = At() == '\\' && At(1) == 'u' ? Hex4(text, Offset(p_) + 2) : -1;
    if (low < 0xDC00 || low > 0xDFFF) return Fail("a high surrogate escape without a low one");
    p_ += 6;
    return true;
}

// One multi-byte UTF-8 character: no overlong forms, no surrogates, none
// beyond U+10FFFF.
bool JsonParser::Utf8Sequence() {
    const auto lead = static_cast<Byte>(*p_);
    int length = 0;
    Byte low = 0x80;
    Byte high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return false;
    }
    // Past the end reads NUL, which is no continuation byte.
    for (int i = 1; i < length; ++i) {
        const auto c = static_cast<Byte>(At(i));
        if (c < low || c > high) return false;
        low = 0x80;
        high = 0xBF;
    }
    p_ += length;
    return true;
}

bool JsonParser::Number() {
    const char* start = p_;
    const bool negative = At() == '-';
    if (negative) ++p_;
    auto digits = [this] {
        const char* from = p_;
        p_ = SkipDigits(p_, end_);
        return p_ - from;
    };
    if (At() == '0') {
        ++p_;
    } else if (digits() == 0) {
        return Fail("a digit expected");
    }
    const std::string_view integerDigits(start + negative,
                                         static_cast<std::size_t>(p_ - start - negative));
    bool integer = true;
    if (At() == '.') {
        ++p_;
        integer = false;
        if (digits() == 0) return Fail("a digit expected after the decimal point");
    }
    if (At() == 'e' || At() == 'E') {
        ++p_;
        integer = false;
        if (At() == '+' || At() == '-') ++p_;
        if (digits() == 0) return Fail("a digit expected in the exponent");
    }
    if ((!integer || !FitsInteger64(integerDigits, negative)) &&
        !FitsDouble(std::string_view(start, static_cast<std::size_t>(p_ - start)))) {
        p_ = start;
        return Fail("a number beyond the range of a double");
    }
    return true;
}

bool JsonParser::Literal(std::string_view word) {
    for (const char c : word) {
        if (At() != c) return Fail("a value expected");
        ++p_;
    }
    return true;
}

void JsonParser::Close() {
    const Open& open = open_.back();
    Node& node = nodes_[open.node];
    node.a = static_cast<std::uint32_t>(nodes_.size());
    node.b = open.count;
    node.c = Offset(p_);
    if (open.object && open.count > 1 && duplicate_.empty()) CheckKeys();
    open_.pop_back();
}

// Notes the first key that the object being closed names twice.
void JsonParser::CheckKeys() {
    const std::uint32_t first = open_.back().node + 1;
    const std::uint32_t count = open_.back().count;
    keys_.clear();
    decoded_.clear();
    decoded_.reserve(count);  // keys_ holds views into it
    for (std::uint32_t key = first, member = 0; member < count; ++member, key = NextKey(key)) {
        // A key without escapes is a view into the text and leaves its scratch empty.
        decoded_.emplace_back();
        keys_.push_back(KeyText(key, decoded_.back()));
    }
    std::size_t twice = keys_.size();
    if (keys_.size() <= 16) {
        for (std::size_t i = 1; i < keys_.size() && twice == keys_.size(); ++i) {
            for (std::size_t j = 0; j < i; ++j) {
                if (keys_[i] == keys_[j]) {
                    twice = i;
                    break;
                }
            }
        }
    } else {
        std::vector<std::size_t> order(keys_.size());
        for (std::size_t i = 0; i < order.size(); ++i)
            order[i] = i;
        std::stable_sort(order.begin(), order.end(),
                         [this](std::size_t a, std::size_t b) { return keys_[a] < keys_[b]; });
        const auto same = std::adjacent_find(
            order.begin(), order.end(),
            [this](std::size_t a, std::size_t b) { return keys_[a] == keys_[b]; });
        if (same != order.end()) twice = *(same + 1);
    }
    if (twice == keys_.size()) return;
    std::uint32_t key = first;
    for (std::size_t member = 0; member < twice; ++member)
        key = NextKey(key);
    duplicate_ = PathOfKey(key);
}

// The field path of a key of the innermost open object, as the stand-in's
// messages name fields: "datasets[0].accounts[2].id".
std::string JsonParser::PathOfKey(std::uint32_t keyNode) const {
    std::string path;
    std::string scratch;
    auto appendKey = [&](std::uint32_t key) {
        if (!path.empty()) path += '.';
        path += KeyText(key, scratch);
    };
    for (std::size_t level = 0; level + 1 < open_.size(); ++level) {
        const Open& open = open_[level];
        if (open.object) {
            appendKey(open.key);
        } else {
            path += "[" + std::to_string(open.count) + "]";
        }
    }
    appendKey(keyNode);
    return path;
}

bool JsonDocument::Read(std::string_view text, Failure& failure) {
    text_ = text;
    nodes_.clear();
    if (text.size() >= UINT32_MAX) {
        failure = {"(file)", "not JSON: longer than 4 GB"};
        return false;
    }
    // A generated state has a node in about every 40 bytes.
    nodes_.reserve(text.size() / 32 + 16);
    JsonParser parser(*this);
    if (parser.Parse(root_, failure)) return true;
    nodes_.clear();
    return false;
}

std::uint32_t JsonDocument::NextKey(std::uint32_t key) const {
    const char lead = text_[nodes_[key].c];
    return lead == '{' || lead == '[' ? nodes_[key + 1].a : key + 1;
}

std::string_view JsonDocument::KeyText(std::uint32_t key, std::string& scratch) const {
    const Node& node = nodes_[key];
    const std::string_view text = text_.substr(node.a, node.b - node.a);
    if (!node.escaped) return text;
    Unescape(text, scratch);
    return scratch;
}

char JsonValue::Lead() const {
    return document_->text_[offset_];
}

std::size_t JsonValue::Size() const {
    return IsObject() || IsArray() ? document_->nodes_[node_].b : 0;
}

JsonValue JsonValue::First() const {
    if (Size() == 0) return {};
    return JsonValue(document_, SkipSpace(document_->text_, offset_ + 1), node_ + 1);
}

JsonValue JsonValue::Next() const {
    const std::string_view text = document_->text_;
    const bool container = IsObject() || IsArray();
    const JsonDocument::Node* node = container ? &document_->nodes_[node_] : nullptr;
    const std::uint32_t end = container ? node->c : ScalarEnd(text, offset_);
    // Past the ',' between the elements.
    return JsonValue(document_, SkipSpace(text, SkipSpace(text, end) + 1),
                     container ? node->a : node_);
}

JsonValue JsonValue::Member(std::string_view key) const {
    if (!IsObject()) return {};
    std::string scratch;
    std::uint32_t index = node_ + 1;
    for (std::uint32_t member = 0; member < document_->nodes_[node_].b; ++member) {
        if (document_->KeyText(index, scratch) == key) {
            return JsonValue(document_, document_->nodes_[index].c, index + 1);
        }
        index = document_->NextKey(index);
    }
    return {};
}

std::string_view JsonValue::Text(std::string& scratch) const {
    const std::string_view text = document_->text_;
    bool escaped = false;
    std::uint32_t end = offset_ + 1;
    for (; text[end] != '"'; ++end) {
        if (text[end] == '\\') {
            escaped = true;
            ++end;
        }
    }
    const std::string_view raw = text.substr(offset_ + 1, end - offset_ - 1);
    if (!escaped) return raw;
    Unescape(raw, scratch);
    return scratch;
}

bool JsonValue::Integer(std::uint64_t& magnitude, bool& negative) const {
    const std::string_view text = document_->text_;
    const char* const end = text.data() + text.size();
    const char* p = text.data() + offset_;
    negative = *p == '-';
    if (negative) ++p;
    magnitude = 0;
    const char* digits = p;
    p = ReadDigits(p, end, magnitude);
    if (p == digits) return false;  // not a number
    if (p < end && (*p == '.' || *p == 'e' || *p == 'E')) return false;
    return FitsInteger64(std::string_view(digits, static_cast<std::size_t>(p - digits)), negative);
}

bool JsonValue::Int64Elements(std::int64_t* values, std::size_t count) const {
    if (!IsArray() || Size() != count) return false;
    const std::string_view text = document_->text_;
    const char* const end = text.data() + text.size();
    const char* p = text.data() + offset_ + 1;
    for (std::size_t i = 0; i < count; ++i) {
        while (*p == ' ' || *p == '\n' || *p == '\r' || *p == '\t')
            ++p;
        const bool negative = *p == '-';
        if (negative) ++p;
        const char* digits = p;
        std::uint64_t magnitude = 0;
        p = ReadDigits(p, end, magnitude);
        // Up to 19 digits the magnitude is exact.
        if (p == digits || p - digits > 19 || *p == '.' || *p == 'e' || *p == 'E') return false;
        const std::uint64_t limit = std::uint64_t{1} << 63;
        if (negative ? magnitude > limit : magnitude >= limit) return false;
        values[i] = !negative            ? static_cast<std::int64_t>(magnitude)
                    : magnitude == limit ? std::numeric_limits<std::int64_t>::min()
                                         : -static_cast<std::int64_t>(magnitude);
        while (*p == ' ' || *p == '\n' || *p == '\r' || *p == '\t')
            ++p;
        ++p;  // ',' or ']'
    }
    return true;
}

}  // namespace hostsim
