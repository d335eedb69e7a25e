#include <errno.h>
#include <iconv.h>

#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/text_encoding.h"

namespace {

constexpr char kReplacement[] = "\xEF\xBF\xBD";

bool IsLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

bool IsTrailByte(unsigned char byte) {
    return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFC);
}

class Converter {
  public:
    Converter() : cd_(iconv_open("UTF-8", "CP932")) {
        if (cd_ == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error("no conversion from code page 932");
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    iconv_t Get() const { return cd_; }

  private:
    iconv_t cd_;
};

}  // namespace

std::string Utf8FromCp932(std::string_view text) {
    const Converter converter;
    std::string out;
    out.reserve(text.size() * 3 / 2 + 16);
    char buffer[4096];
    char* in = const_cast<char*>(text.data());
    std::size_t inLeft = text.size();
    while (inLeft > 0) {
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t done = iconv(converter.Get(), &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
        if (done != static_cast<std::size_t>(-1) || errno == E2BIG) continue;
        // An unassigned pair is skipped whole, a stray byte alone, so the
        // bytes after it keep their meaning.
        out += kReplacement;
        const bool pair = inLeft >= 2 && IsLeadByte(static_cast<unsigned char>(in[0])) &&
                          IsTrailByte(static_cast<unsigned char>(in[1]));
        const std::size_t skip = pair ? 2 : 1;
        in += skip;
        inLeft -= skip;
    }
    return out;
}
