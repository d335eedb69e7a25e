#include "hostsim/shift_jis.h"

#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>

#include <cerrno>
#endif

namespace hostsim {

#ifdef _WIN32

bool Utf8ToShiftJis(const std::string& utf8, std::string& sjis) {
    sjis.clear();
    if (utf8.empty()) return true;
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

bool Utf8ToShiftJis(const std::string& utf8, std::string& sjis) {
    sjis.clear();
    iconv_t cd = iconv_open("CP932", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    std::string in = utf8;
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
    iconv_close(cd);
    if (!ok) sjis.clear();
    return ok;
}

#endif

}  // namespace hostsim
