// Any bytes as the host's support information file, read through the file
// system and from memory; also as a company name for the full-width
// conversion.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "model/shift_jis_text.h"
#include "report/full_width_name.h"
#include "report/support_info.h"
#include "tests/unit/fakes/memory_file_system.h"

namespace {

void CheckValue(std::string_view bytes, std::string_view tag, const std::string& value) {
    if (value.find('\0') != std::string::npos) __builtin_trap();
    if (value.find('\x1A') != std::string::npos) __builtin_trap();
    if (value.find("\r\n") != std::string::npos) __builtin_trap();
    if (value.empty()) return;
    const std::size_t at = bytes.find(std::string(tag) + value);
    if (at == std::string_view::npos) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    for (const std::string_view tag :
         {std::string_view(kProductNameTag), std::string_view(kProductVersionTag)}) {
        CheckValue(bytes, tag, SupportInfoValue(bytes, tag));
    }

    // Through the file: only the first kSupportInfoBytes bytes count.
    MemoryFileSystem files;
    files.files[kSupportInfoFileName] = std::string(bytes);
    ClSupportInfo info(files);
    const std::string_view read = bytes.substr(0, kSupportInfoBytes);
    if (info.ProductName() != SupportInfoValue(read, kProductNameTag)) __builtin_trap();
    if (info.ProductVersion() != SupportInfoValue(read, kProductVersionTag)) __builtin_trap();

    const std::string name = ToFullWidthName(bytes);
    if (name.size() > kFullWidthNameBytes) __builtin_trap();
    if (CutAtCharacterBoundary(name, kFullWidthNameBytes) != name) __builtin_trap();
    const std::string wide = ToFullWidth(bytes);
    if (wide.compare(0, name.size(), name) != 0) __builtin_trap();
    if (wide.size() > 2 * bytes.size()) __builtin_trap();
    return 0;
}
