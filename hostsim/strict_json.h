// The host state file's JSON: RapidJSON reads it (RFC 8259, UTF-8
// checked), and the stand-in's rules stand on top: no object names a key
// twice, nesting stops at a depth, and only blanks or NUL bytes may follow
// the value.
#pragma once

#include <rapidjson/document.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace hostsim {

using JsonValue = rapidjson::Value;
using JsonDocument = rapidjson::Document;

// Deeper nesting of arrays and objects is refused rather than followed.
constexpr std::size_t kMaxJsonDepth = 512;

struct JsonFailure {
    std::string field;  // "(file)", or where an object names a key twice
    std::string reason;
};

// One step of the way from the top-level value to a value inside it: a
// member's key, or an element's index.
struct JsonStep {
    bool member;
    std::string_view key;
    std::size_t index;
};

// Takes the elements of chosen arrays one at a time while the text is
// read, each as a value of its own, so that the bulk of a large file never
// stands whole in the document; such an array stays in it empty.
class JsonElementReader {
  public:
    // How deep the arrays it takes lie: 1 is the top-level value.
    explicit JsonElementReader(std::size_t depth) : depth_(depth) {}
    virtual ~JsonElementReader() = default;
    JsonElementReader(const JsonElementReader&) = delete;
    JsonElementReader& operator=(const JsonElementReader&) = delete;

    std::size_t depth() const { return depth_; }
    // Whether the elements of the array at the end of `path` come here.
    virtual bool Takes(const std::vector<JsonStep>& path) = 0;
    // The next element of the array last taken; it is gone once this
    // returns, which it must do without throwing.
    virtual void Take(const JsonValue& element) = 0;

  private:
    std::size_t depth_;
};

// Reads the whole text (a UTF-8 byte order mark first is skipped) into
// `document`, the elements of arrays `elements` takes into it. False when
// the text is not one JSON value, or an object names a key twice; text
// that is not JSON is reported as "not JSON: <what was expected> at line
// L, column C" for its first fault, a key given twice by its field
// ("datasets[0].accounts[2].id"), a syntax error before it. Elements were
// taken even when it fails.
bool ReadStrictJson(std::string_view text, JsonDocument& document, JsonFailure& failure,
                    JsonElementReader* elements = nullptr);

}  // namespace hostsim
