#include "hostsim/shift_jis.h"

#include <string>
#include <string_view>

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>

#include <cerrno>
#endif

namespace hostsim {

namespace {

// Code page 932 keeps ASCII as it is; most texts of a state file are ASCII.
bool CopiedAscii(std::string_view utf8, std::string& sjis) {
    for (const char c : utf8) {
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    }
    sjis.assign(utf8.data(), utf8.size());
    return true;
}

}  // namespace

#ifdef _WIN32

bool Utf8ToShiftJis(std::string_view utf8, std::string& sjis) {
    sjis.clear();
    if (CopiedAscii(utf8, sjis)) return true;
    const int length = static_cast<int>(utf8.size());
    const int wideLength =
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), length, nullptr, 0);
    if (wideLength <= 0) return false;
    std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), length, wide.data(),
                        wideLength);
    BOOL usedDefault = FALSE;
    const int sjisLength = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, wide.data(), wideLength,
                                               nullptr, 0, nullptr, &usedDefault);
    if (sjisLength <= 0 || usedDefault) return false;
    sjis.assign(static_cast<std::size_t>(sjisLength), '\0');
    WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, wide.data(), wideLength, sjis.data(), sjisLength,
                        nullptr, &usedDefault);
    return !usedDefault;
}

#else

namespace {

// One conversion descriptor per thread: opening one costs more than
// converting an account name.
class Converter {
  public:
    Converter() : cd_(iconv_open("CP932", "UTF-8")) {}
    ~Converter() {
        if (cd_ != kNone) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Null when iconv lacks the conversion; else ready for a new text.
    iconv_t Reset() {
        if (cd_ == kNone) return nullptr;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        return cd_;
    }

  private:
    static inline const iconv_t kNone = reinterpret_cast<iconv_t>(-1);
    iconv_t cd_;
};

}  // namespace

bool Utf8ToShiftJis(std::string_view utf8, std::string& sjis) {
    sjis.clear();
    if (CopiedAscii(utf8, sjis)) return true;
    thread_local Converter converter;
    const iconv_t cd = converter.Reset();
    if (cd == nullptr) return false;
    std::string in(utf8);
    char* inPtr = in.data();
    std::size_t inLeft = in.size();
    bool ok = true;
    while (inLeft > 0) {
        char buffer[256];
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t done = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        sjis.append(buffer, static_cast<std::size_t>(outPtr - buffer));
        if (done == static_cast<std::size_t>(-1) && errno != E2BIG) {
            ok = false;
            break;
        }
    }
    if (!ok) sjis.clear();
    return ok;
}

#endif

}  // namespace hostsim
