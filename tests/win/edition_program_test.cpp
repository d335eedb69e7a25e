// The three edition programs carry their own names and the common version.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::wstring ProgramFolder() {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

std::wstring VersionString(const std::vector<BYTE>& info, const wchar_t* name) {
    wchar_t* value = nullptr;
    UINT length = 0;
    const std::wstring key = std::wstring(L"\\StringFileInfo\\041104b0\\") + name;
    if (!VerQueryValueW(info.data(), key.c_str(), reinterpret_cast<void**>(&value), &length)) {
        return L"(missing)";
    }
    return std::wstring(value, length > 0 ? length - 1 : 0);
}

struct Edition {
    const wchar_t* prefix;
    const wchar_t* displayName;
};

TEST(EditionPrograms, EachCarriesItsDisplayNamePrefixAndTheProgramVersion) {
    const Edition editions[] = {{L"LdgSel18ToQb16_G", L"帳簿丸１８ SELECT"},
                                {L"LdgAdv18ToQb16_G", L"帳簿丸１８ ADVANCE"},
                                {L"LdgBas18ToQb16_G", L"帳簿丸１８"}};
    for (const Edition& edition : editions) {
        const std::wstring path = ProgramFolder() + edition.prefix + L".exe";
        DWORD handle = 0;
        const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &handle);
        ASSERT_GT(size, 0u) << "no version resource in the program";
        std::vector<BYTE> info(size);
        ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, info.data()));
        EXPECT_EQ(VersionString(info, L"InternalName"), edition.prefix);
        EXPECT_EQ(VersionString(info, L"ProductName"), edition.displayName);
        EXPECT_EQ(VersionString(info, L"FileVersion"), L"18.00.00");
    }
}

}  // namespace
