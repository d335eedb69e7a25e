// Finding and reading the host state file.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "hostsim/host_session.h"

#ifdef _WIN32
#include <windows.h>

#include "hostsim/text_win.h"
#else
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace hostsim {

namespace {

constexpr std::size_t kMaxStateFileBytes = std::size_t{512} * 1024 * 1024;

bool ReadWhole(std::FILE* file, std::string& text) {
    text.clear();
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

// The whole file as a read-only view, or null (then it is read instead).
const char* MapWhole(const std::wstring& path, std::size_t& size) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return nullptr;
    LARGE_INTEGER fileSize{};
    const void* view = nullptr;
    if (GetFileSizeEx(file, &fileSize) && fileSize.QuadPart > 0 &&
        static_cast<unsigned long long>(fileSize.QuadPart) <= kMaxStateFileBytes) {
        const HANDLE mapping = CreateFileMappingW(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
        if (mapping != nullptr) {
            view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);
            CloseHandle(mapping);  // the view keeps it
        }
        size = static_cast<std::size_t>(fileSize.QuadPart);
    }
    CloseHandle(file);
    return static_cast<const char*>(view);
}

std::string DisplayName(const std::wstring& path) {
    return Utf8FromWide(path);
}

std::FILE* OpenStateFile(const std::wstring& path) {
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

// The whole of a regular file as a read-only mapping, or null (then it is
// read instead).
const char* MapWhole(const std::string& path, std::size_t& size) {
    const int file = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (file < 0) return nullptr;
    struct stat status {};
    void* view = MAP_FAILED;
    if (fstat(file, &status) == 0 && S_ISREG(status.st_mode) && status.st_size > 0 &&
        static_cast<unsigned long long>(status.st_size) <= kMaxStateFileBytes) {
        size = static_cast<std::size_t>(status.st_size);
        view = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, file, 0);
    }
    close(file);
    return view == MAP_FAILED ? nullptr : static_cast<const char*>(view);
}

std::string DisplayName(const std::string& path) {
    return path;
}

std::FILE* OpenStateFile(const std::string& path) {
    return std::fopen(path.c_str(), "rb");
}

#endif

}  // namespace

StateFileText::~StateFileText() {
    if (mapped_ == nullptr) return;
#ifdef _WIN32
    UnmapViewOfFile(mapped_);
#else
    munmap(const_cast<char*>(mapped_), size_);
#endif
}

StateFileStatus ReadStateFile(StateFileText& text, std::string& displayName) {
    const auto path = StateFilePath();
    displayName = DisplayName(path);
    text.mapped_ = MapWhole(path, text.size_);
    if (text.mapped_ != nullptr) return StateFileStatus::kRead;
    // Missing, empty or not mappable: read the plain way.
    std::FILE* file = OpenStateFile(path);
    if (file == nullptr) return StateFileStatus::kAbsent;
    const bool complete = ReadWhole(file, text.read_);
    std::fclose(file);
    return complete ? StateFileStatus::kRead : StateFileStatus::kUnreadable;
}

}  // namespace hostsim
