#include "hostsim/strict_json.h"

#include <rapidjson/error/error.h>
#include <rapidjson/memorystream.h>
#include <rapidjson/reader.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace hostsim {

namespace {

using rapidjson::SizeType;

// Parsing recurses, but never deeper than the depth the handler allows.
// The first reading leaves UTF-8 to the handler, which checks each string
// whole; a text that fails is read again with RapidJSON checking as it
// goes, so that the message names the first fault of the text.
constexpr unsigned kFastFlags = rapidjson::kParseStopWhenDoneFlag;
constexpr unsigned kCheckedFlags = kFastFlags | rapidjson::kParseValidateEncodingFlag;

// RapidJSON builds the document; this handler stands between to refuse
// what the stand-in's rules refuse, noting where and why, to find the
// first object, in the order objects close, that names a key twice, and to
// send the elements of the arrays the element reader takes to a document
// of their own.
class StrictHandler {
  public:
    StrictHandler(JsonDocument& document, const rapidjson::MemoryStream& stream,
                  JsonElementReader* elements)
        : document_(document),
          stream_(stream),
          elements_(elements),
          elementBuffer_(kElementBufferBytes),
          elementStackBuffer_(kElementBufferBytes),
          elementAllocator_(elementBuffer_.data(), elementBuffer_.size()),
          elementStackAllocator_(elementStackBuffer_.data(), elementStackBuffer_.size()),
          element_(&elementAllocator_, kElementBufferBytes / 4, &elementStackAllocator_) {}

    const char* refusal() const { return refusal_; }
    std::size_t refusedAt() const { return refusedAt_; }
    bool keyRepeated() const { return keyRepeated_; }
    // Where the first key given twice stands.
    const std::string& repeatedKey() const { return repeatedKey_; }

    bool Null() {
        return Scalar(Send([](auto& target) { return target.Null(); }));
    }
    bool Bool(bool b) {
        return Scalar(Send([b](auto& target) { return target.Bool(b); }));
    }
    bool Int(int i) {
        return Scalar(Send([i](auto& target) { return target.Int(i); }));
    }
    bool Uint(unsigned i) {
        return Scalar(Send([i](auto& target) { return target.Uint(i); }));
    }
    bool Int64(std::int64_t i) {
        return Scalar(Send([i](auto& target) { return target.Int64(i); }));
    }
    bool Uint64(std::uint64_t i) {
        return Scalar(Send([i](auto& target) { return target.Uint64(i); }));
    }
    bool Double(double d) {
        // A number past the largest double reads as infinite.
        if (!std::isfinite(d)) {
            return Refuse("a number beyond the range of a double", NumberStart(Read()));
        }
        return Scalar(Send([d](auto& target) { return target.Double(d); }));
    }
    bool RawNumber(const char* text, SizeType length, bool copy) {
        return Scalar(Send([=](auto& target) { return target.RawNumber(text, length, copy); }));
    }
    bool String(const char* text, SizeType length, bool copy) {
        if (!IsUtf8(text, length)) return RefuseSurrogate();
        return Scalar(Send([=](auto& target) { return target.String(text, length, copy); }));
    }
    bool Key(const char* text, SizeType length, bool copy) {
        if (!IsUtf8(text, length)) return RefuseSurrogate();
        Frame& object = frames_[depth_ - 1];
        object.keys.push_back({static_cast<std::uint32_t>(object.text.size()), length});
        object.text.append(text, length);
        return Send([=](auto& target) { return target.Key(text, length, copy); });
    }
    bool StartObject() {
        return Send([this](auto& target) { return Open(true) && target.StartObject(); });
    }
    bool EndObject(SizeType members) {
        if (!keyRepeated_) NoteRepeatedKey();
        return Scalar(Send([this, members](auto& target) {
            --depth_;
            return target.EndObject(members);
        }));
    }
    bool StartArray() {
        if (!Send([this](auto& target) { return Open(false) && target.StartArray(); }))
            return false;
        if (taken_ == 0 && elements_ != nullptr && depth_ == elements_->depth() &&
            elements_->Takes(PathOf(depth_))) {
            taken_ = depth_;
        }
        return true;
    }
    bool EndArray(SizeType elements) {
        if (depth_ == taken_) {
            // The taken array ends; the document keeps it empty.
            taken_ = 0;
            --depth_;
            return Scalar(document_.EndArray(0));
        }
        return Scalar(Send([this, elements](auto& target) {
            --depth_;
            return target.EndArray(elements);
        }));
    }

  private:
    struct KeySpan {
        std::uint32_t offset;
        std::uint32_t length;
    };
    // An open array or object.
    struct Frame {
        bool object;
        SizeType count;  // elements or members read whole
        std::vector<KeySpan> keys;
        std::string text;  // the keys one after another
        std::string_view Key(std::size_t i) const {
            return std::string_view(text).substr(keys[i].offset, keys[i].length);
        }
    };

    bool Open(bool object) {
        // The bracket has been read: the fault is where it stands.
        if (depth_ == kMaxJsonDepth) return Refuse("nested too deep", stream_.Tell() - 1);
        if (frames_.size() == depth_) frames_.emplace_back();
        Frame& frame = frames_[depth_++];
        frame.object = object;
        frame.count = 0;
        frame.keys.clear();
        frame.text.clear();
        return true;
    }
    // Where the next event goes: inside a taken array, to the element's
    // own document.
    template <typename Build>
    bool Send(Build build) {
        return taken_ != 0 && depth_ >= taken_ ? build(element_) : build(document_);
    }
    // A value read whole counts in its container; an element of a taken
    // array is handed over.
    bool Scalar(bool built) {
        if (!built) return false;
        if (depth_ > 0) ++frames_[depth_ - 1].count;
        if (taken_ != 0 && depth_ == taken_) TakeElement();
        return true;
    }
    void TakeElement() {
        // The element is the one value on the document's stack, which
        // Populate takes as the document's own.
        auto built = [](auto&) { return true; };
        element_.Populate(built);
        elements_->Take(element_);
        element_.SetNull();
        elementAllocator_.Clear();
        elementStackAllocator_.Clear();
    }
    bool Refuse(const char* reason, std::size_t at) {
        refusal_ = reason;
        refusedAt_ = at;
        return false;
    }
    bool RefuseSurrogate() {
        return Refuse("a low surrogate escape without a high one", LowSurrogateEscape(Read()));
    }
    // The text read so far, up to the end of the value just read.
    std::string_view Read() const { return {stream_.begin_, stream_.Tell()}; }

    // Where the number that `read` ends with starts.
    static std::size_t NumberStart(std::string_view read) {
        const std::size_t before = read.find_last_not_of("0123456789+-.eE");
        return before == std::string_view::npos ? 0 : before + 1;
    }
    // Where the escape of a low surrogate on its own stands in the string
    // that `read` ends with. Inside a string a quote is escaped, after an
    // odd number of backslashes: the first one after an even number opens it.
    static std::size_t LowSurrogateEscape(std::string_view read) {
        std::size_t open = read.size() - 1;
        for (;;) {
            open = read.rfind('"', open - 1);
            std::size_t slashes = 0;
            while (slashes < open && read[open - slashes - 1] == '\\')
                ++slashes;
            if (slashes % 2 == 0) break;
        }
        std::size_t at = open + 1;
        while (at + 1 < read.size() - 1) {
            if (read[at] != '\\') {
                ++at;
            } else if (read[at + 1] != 'u') {
                at += 2;
            } else {
                const unsigned long code =
                    std::strtoul(std::string(read.substr(at + 2, 4)).c_str(), nullptr, 16);
                if (code >= 0xDC00 && code <= 0xDFFF) return at;
                at += code >= 0xD800 && code <= 0xDBFF ? 12 : 6;  // a pair, or one
            }
        }
        return read.size() - 1;
    }

    // The first key of the closing object that an earlier one repeats.
    std::size_t RepeatedKey(const Frame& object) const {
        const std::size_t size = object.keys.size();
        if (size <= 16) {
            for (std::size_t i = 1; i < size; ++i) {
                for (std::size_t j = 0; j < i; ++j) {
                    if (object.Key(i) == object.Key(j)) return i;
                }
            }
            return size;
        }
        std::vector<std::size_t> order(size);
        for (std::size_t i = 0; i < size; ++i)
            order[i] = i;
        std::stable_sort(order.begin(), order.end(), [&object](std::size_t a, std::size_t b) {
            return object.Key(a) < object.Key(b);
        });
        std::size_t first = size;
        for (std::size_t i = 1; i < size; ++i) {
            if (object.Key(order[i]) == object.Key(order[i - 1])) first = std::min(first, order[i]);
        }
        return first;
    }

    // The way to the value the open containers up to `depth` lead to.
    std::vector<JsonStep> PathOf(std::size_t depth) const {
        std::vector<JsonStep> path;
        for (std::size_t level = 0; level + 1 < depth; ++level) {
            const Frame& open = frames_[level];
            if (open.object) {
                path.push_back({true, open.Key(open.keys.size() - 1), 0});
            } else {
                path.push_back({false, {}, open.count});
            }
        }
        return path;
    }

    // The field of the value the open containers up to `depth` lead to, as
    // the stand-in's messages name fields: "datasets[0].accounts".
    std::string FieldOf(std::size_t depth) const {
        std::string field;
        for (std::size_t level = 0; level + 1 < depth; ++level) {
            const Frame& open = frames_[level];
            if (open.object) {
                AppendKey(field, open.Key(open.keys.size() - 1));
            } else {
                field += "[" + std::to_string(open.count) + "]";
            }
        }
        return field;
    }
    static void AppendKey(std::string& field, std::string_view key) {
        if (!field.empty()) field += '.';
        field += key;
    }

    void NoteRepeatedKey() {
        const Frame& closing = frames_[depth_ - 1];
        const std::size_t repeated = RepeatedKey(closing);
        if (repeated == closing.keys.size()) return;
        std::string field = FieldOf(depth_);
        AppendKey(field, closing.Key(repeated));
        keyRepeated_ = true;
        // An empty key of the top level is named as written.
        repeatedKey_ = field.empty() ? "\"\"" : field;
    }

    // Whether a string, its escapes decoded, is UTF-8: no overlong forms,
    // no surrogates, nothing beyond U+10FFFF. Where RapidJSON has checked
    // the text, a surrogate (ED A0 to ED BF) can only come from a low
    // surrogate escape on its own, which it lets through.
    static bool IsUtf8(const char* text, SizeType length) {
        const auto* p = reinterpret_cast<const unsigned char*>(text);
        const auto* end = p + length;
        while (p != end) {
            if (*p < 0x80) {
                ++p;
                continue;
            }
            int size = 4;
            unsigned char low = 0x80;
            unsigned char high = 0xBF;
            if (*p >= 0xC2 && *p <= 0xDF) {
                size = 2;
            } else if (*p >= 0xE0 && *p <= 0xEF) {
                size = 3;
                low = *p == 0xE0 ? 0xA0 : 0x80;
                high = *p == 0xED ? 0x9F : 0xBF;
            } else if (*p >= 0xF0 && *p <= 0xF4) {
                low = *p == 0xF0 ? 0x90 : 0x80;
                high = *p == 0xF4 ? 0x8F : 0xBF;
            } else {
                return false;
            }
            if (end - p < size) return false;
            for (int i = 1; i < size; ++i, low = 0x80, high = 0xBF) {
                if (p[i] < low || p[i] > high) return false;
            }
            p += size;
        }
        return true;
    }

    // An element of the state's lists takes well under a kilobyte.
    static constexpr std::size_t kElementBufferBytes = 16384;

    JsonDocument& document_;
    const rapidjson::MemoryStream& stream_;
    JsonElementReader* elements_;
    // The element's values and its document's stack are made afresh in
    // the same memory for every element.
    std::vector<char> elementBuffer_;
    std::vector<char> elementStackBuffer_;
    rapidjson::MemoryPoolAllocator<> elementAllocator_;
    rapidjson::MemoryPoolAllocator<> elementStackAllocator_;
    rapidjson::GenericDocument<rapidjson::UTF8<>, rapidjson::MemoryPoolAllocator<>,
                               rapidjson::MemoryPoolAllocator<>>
        element_;
    std::size_t taken_ = 0;  // the depth of the array whose elements are taken, or 0
    std::vector<Frame> frames_;
    std::size_t depth_ = 0;
    bool keyRepeated_ = false;
    std::string repeatedKey_;
    const char* refusal_ = nullptr;
    std::size_t refusedAt_ = 0;
};

// What RapidJSON found, in the words of the stand-in's messages.
bool IsHex4(std::string_view text) {
    return text.size() == 4 &&
           text.find_first_not_of("0123456789abcdefABCDEF") == std::string_view::npos;
}

// What RapidJSON found, in the words of the stand-in's messages; `at` is
// moved where they place the fault.
const char* Expected(rapidjson::ParseErrorCode code, std::string_view text, std::size_t& at) {
    switch (code) {
        case rapidjson::kParseErrorObjectMissName:
            return "a key string expected";
        case rapidjson::kParseErrorObjectMissColon:
            return "':' expected";
        case rapidjson::kParseErrorObjectMissCommaOrCurlyBracket:
            return "',' or '}' expected";
        case rapidjson::kParseErrorArrayMissCommaOrSquareBracket:
            return "',' or ']' expected";
        case rapidjson::kParseErrorStringUnicodeEscapeInvalidHex:
            // RapidJSON names the high surrogate's escape when the low one's
            // digits are wrong.
            if (!IsHex4(text.substr(at + 2, 4)))
                return "\\u not followed by four hexadecimal digits";
            at += 6;
            return "a high surrogate escape without a low one";
        case rapidjson::kParseErrorStringUnicodeSurrogateInvalid:
            at += 6;  // where the low one should be
            return "a high surrogate escape without a low one";
        case rapidjson::kParseErrorStringEscapeInvalid:
        case rapidjson::kParseErrorStringMissQuotationMark:
            // At a backslash, a control character, or the end of the text.
            if (at + 1 >= text.size() && (at >= text.size() || text[at] == '\\')) {
                return "the text ended in a string";
            }
            return text[at] == '\\' ? "an unknown escape in a string"
                                    : "a control character in a string";
        case rapidjson::kParseErrorStringInvalidEncoding:
            return "not UTF-8 in a string";
        case rapidjson::kParseErrorNumberTooBig:
            return "a number beyond the range of a double";
        case rapidjson::kParseErrorNumberMissFraction:
            return "a digit expected after the decimal point";
        case rapidjson::kParseErrorNumberMissExponent:
            return "a digit expected in the exponent";
        default:
            return at > 0 && text[at - 1] == '-' ? "a digit expected" : "a value expected";
    }
}

JsonFailure NotJson(std::string_view text, std::size_t at, const char* expected) {
    const std::string_view before = text.substr(0, at);
    const auto line = 1 + std::count(before.begin(), before.end(), '\n');
    const std::size_t lineStart = before.rfind('\n');
    const std::size_t column =
        before.size() - (lineStart == std::string_view::npos ? 0 : lineStart + 1) + 1;
    return {"(file)", std::string("not JSON: ") + expected + " at line " + std::to_string(line) +
                          ", column " + std::to_string(column)};
}

bool IsBlank(char c) {
    return c == ' ' || c == '\n' || c == '\r' || c == '\t';
}

// One reading of the text from `start` into `document`: false on a fault
// of the text, named in `failure`; true with where the value ends.
template <unsigned kFlags>
bool Parse(std::string_view text, std::size_t start, JsonDocument& document,
           JsonElementReader* elements, JsonFailure& failure, std::size_t& end,
           std::string& repeatedKey, bool& keyRepeated) {
    rapidjson::MemoryStream stream(text.data() + start, text.size() - start);
    StrictHandler handler(document, stream, elements);
    rapidjson::Reader reader;
    // The handler fills the document, which Populate then takes the value from.
    auto parse = [&](JsonDocument&) { return !reader.Parse<kFlags>(stream, handler).IsError(); };
    document.Populate(parse);
    if (reader.HasParseError()) {
        if (handler.refusal() != nullptr) {
            failure = NotJson(text, start + handler.refusedAt(), handler.refusal());
        } else {
            std::size_t at = start + reader.GetErrorOffset();
            const char* expected = Expected(reader.GetParseErrorCode(), text, at);
            failure = NotJson(text, at, expected);
        }
        return false;
    }
    end = start + stream.Tell();
    keyRepeated = handler.keyRepeated();
    repeatedKey = handler.repeatedKey();
    return true;
}

}  // namespace

bool ReadStrictJson(std::string_view text, JsonDocument& document, JsonFailure& failure,
                    JsonElementReader* elements) {
    const std::size_t start = text.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0;
    std::size_t at = 0;
    std::string repeatedKey;
    bool keyRepeated = false;
    if (!Parse<kFastFlags>(text, start, document, elements, failure, at, repeatedKey,
                           keyRepeated)) {
        JsonDocument again;
        if (Parse<kCheckedFlags>(text, start, again, nullptr, failure, at, repeatedKey,
                                 keyRepeated)) {
            failure = NotJson(text, start, "not UTF-8 in a string");  // not reached
        }
        return false;
    }
    // NUL bytes may end the file, as a C string written whole leaves one;
    // nothing else may follow the value.
    while (at < text.size() && IsBlank(text[at]))
        ++at;
    while (at < text.size() && text[at] == '\0')
        ++at;
    if (at != text.size()) {
        failure = NotJson(text, at, "the text goes on after the value");
        return false;
    }
    if (keyRepeated) {
        failure = {repeatedKey, "given more than once in its object"};
        return false;
    }
    return true;
}

}  // namespace hostsim
