// Finding and reading the host state file.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "hostsim/host_session.h"

#ifdef _WIN32
#include <windows.h>

#include "hostsim/text_win.h"
#else
#include <unistd.h>
#endif

namespace hostsim {

namespace {

constexpr std::size_t kMaxStateFileBytes = std::size_t{512} * 1024 * 1024;

bool ReadWhole(std::FILE* file, std::string& text) {
    text.clear();
    // Room for the whole file at once, when its size can be told: a large
    // state is not copied over and over as it grows.
    if (std::fseek(file, 0, SEEK_END) == 0) {
        const long size = std::ftell(file);
        if (size > 0 && static_cast<unsigned long>(size) <= kMaxStateFileBytes) {
            text.reserve(static_cast<std::size_t>(size));
        }
        if (std::fseek(file, 0, SEEK_SET) != 0) return false;
    }
    char buffer[65536];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        if (text.size() + got > kMaxStateFileBytes) return false;
        text.append(buffer, got);
    }
    return std::ferror(file) == 0;
}

#ifdef _WIN32

std::wstring StateFilePath() {
    const wchar_t* fromEnvironment = _wgetenv(L"LDG_HOST_STATE");
    if (fromEnvironment != nullptr && *fromEnvironment != L'\0') return fromEnvironment;
    std::wstring path(32768, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    path.resize(length);
    path.erase(path.find_last_of(L"\\/") + 1);
    return path + L"LdgHostState.json";
}

std::FILE* OpenStateFile(std::string& displayName) {
    const std::wstring path = StateFilePath();
    displayName = Utf8FromWide(path);
    return _wfopen(path.c_str(), L"rb");
}

#else

std::string StateFilePath() {
    const char* fromEnvironment = std::getenv("LDG_HOST_STATE");
    if (fromEnvironment != nullptr && *fromEnvironment != '\0') return fromEnvironment;
    std::string path(4096, '\0');
    const ssize_t length = readlink("/proc/self/exe", path.data(), path.size() - 1);
    path.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
    path.erase(path.find_last_of('/') + 1);
    return path + "LdgHostState.json";
}

std::FILE* OpenStateFile(std::string& displayName) {
    displayName = StateFilePath();
    return std::fopen(displayName.c_str(), "rb");
}

#endif

}  // namespace

StateFileStatus ReadStateFile(std::string& text, std::string& displayName) {
    std::FILE* file = OpenStateFile(displayName);
    if (file == nullptr) return StateFileStatus::kAbsent;
    const bool complete = ReadWhole(file, text);
    std::fclose(file);
    return complete ? StateFileStatus::kRead : StateFileStatus::kUnreadable;
}

}  // namespace hostsim
