// The three edition programs carry their own names, the common version, the
// icon and the manifest; the manifest does what it is there for.
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

// Resource `id` of `type` in `module`, as bytes; empty when missing.
std::string ResourceBytes(HMODULE module, const wchar_t* type, int id) {
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), type);
    HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
    const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (bytes == nullptr) return "";
    return std::string(static_cast<const char*>(bytes), SizeofResource(module, found));
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
        EXPECT_EQ(
            VersionString(info, L"FileDescription"),
            std::wstring(L"事業概況書 連動コンポーネント（") + edition.displayName + L" 用）");
    }
}

// The programs carry the manifest this test program runs with (the same
// resource script), whose effect the next test checks, and the icon.
TEST(EditionPrograms, EachCarriesTheManifestAndTheIcon) {
    const std::string own = ResourceBytes(nullptr, RT_MANIFEST, 1);
    ASSERT_FALSE(own.empty()) << "no manifest in the test program";
    for (const wchar_t* prefix : {L"LdgSel18ToQb16_G", L"LdgAdv18ToQb16_G", L"LdgBas18ToQb16_G"}) {
        const std::wstring path = ProgramFolder() + prefix + L".exe";
        HMODULE program = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(program, nullptr) << "cannot read the program";
        EXPECT_EQ(ResourceBytes(program, RT_MANIFEST, 1), own);
        EXPECT_FALSE(ResourceBytes(program, RT_GROUP_ICON, 1).empty()) << "no icon";
        FreeLibrary(program);
    }
}

// The common controls of version 6 (visual styles), which come from the
// side-by-side store, not the system folder, and system DPI awareness, as
// the manifest asks. (Wine's version 6 reports version 5.81 to
// DllGetVersion, so the place tells them apart.)
TEST(EditionPrograms, TheManifestBringsCommonControls6AndDpiAwareness) {
    HMODULE controls = GetModuleHandleW(L"comctl32.dll");
    ASSERT_NE(controls, nullptr);
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(controls, path, MAX_PATH);
    CharLowerW(path);
    EXPECT_NE(std::wstring(path).find(L"\\winsxs\\"), std::wstring::npos)
        << "comctl32 from the system folder";
    EXPECT_NE(std::wstring(path).find(L"common-controls_6595b64144ccf1df_6."), std::wstring::npos);
    EXPECT_TRUE(IsProcessDPIAware());
}

}  // namespace
