// Any bytes as the default mapping file, against a chart in which every
// code that is a multiple of 20000 names an account.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "model/account_lookup.h"
#include "model/default_mapping_file.h"
#include "model/lenient_number.h"
#include "model/mapping_entry.h"
#include "model/mapping_list.h"
#include "model/section_frame.h"

namespace {

const char kFoundId[] = "0x000102030405060708090a0b0c0d0e0f";

class EveryOtherAccount : public AccountLookup {
  public:
    std::string AccountIdOfCode(std::int32_t code) override {
        if (code < 10000) __builtin_trap();
        return code % 20000 == 0 ? kFoundId : "";
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    EveryOtherAccount accounts;
    MappingList mapping;
    mapping.Append(MappingEntry(-1, "before"));
    const int loaded = LoadDefaultMapping(bytes, accounts, mapping);

    std::string body;
    const bool framed = FindSectionBody(bytes, kCommonSectionHeader, body);
    if (loaded != (framed ? 1 : 0)) __builtin_trap();
    if (!loaded) {
        if (mapping.size() != 1 || mapping.begin()->itemNo != -1) __builtin_trap();
        return 0;
    }
    const auto commas = static_cast<std::size_t>(std::count(body.begin(), body.end(), ','));
    if (mapping.size() > commas) __builtin_trap();
    for (const MappingEntry& entry : mapping) {
        const std::string& id = entry.accountId();
        if (id.size() > kAccountIdBytes) __builtin_trap();
        if (id.find(',') != std::string::npos || id.find('\n') != std::string::npos) {
            __builtin_trap();
        }
        // A looked-up id or a text source, which has no decimal value.
        if (id != kFoundId && LenientDecimal(id) != 0) __builtin_trap();
    }
    return 0;
}
