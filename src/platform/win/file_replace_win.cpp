#include "platform/win/file_replace_win.h"

#include <windows.h>

#include <cstddef>
#include <string>

#include "platform/win/busy_file_win.h"

namespace {

constexpr int kNameAttempts = 64;

// Short, so that a target near the path bound leaves room for it.
std::wstring TemporaryName(unsigned attempt) {
    static unsigned counter = 0;
    const unsigned mixed = (GetTickCount() * 2654435761u) ^ (GetCurrentProcessId() << 16) ^
                           (++counter * 40503u) ^ attempt;
    static const wchar_t kHexDigits[] = L"0123456789abcdef";
    std::wstring name = L"~ldg";
    for (int shift = 28; shift >= 0; shift -= 4)
        name += kHexDigits[(mixed >> shift) & 0xFu];
    return name + L".tmp";
}

std::wstring FolderOf(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

// `path` in the form the system takes beyond MAX_PATH ("\\\\?\\C:\\..." or
// "\\\\?\\UNC\\server\\..."), when it is that long and absolute.
std::wstring ExtendedLengthPath(const std::wstring& path) {
    if (path.size() < MAX_PATH || path.compare(0, 4, L"\\\\?\\") == 0) return path;
    if (path.size() >= 3 && path[1] == L':' && path[2] == L'\\') return L"\\\\?\\" + path;
    if (path.compare(0, 2, L"\\\\") == 0) return L"\\\\?\\UNC\\" + path.substr(2);
    return path;
}

}  // namespace

bool FileReplacement::Begin(const std::wstring& target) {
    Abandon();
    target_ = target;
    const std::wstring folder = FolderOf(target);
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const std::wstring candidate = folder + TemporaryName(static_cast<unsigned>(attempt));
        // CREATE_NEW: a file of that name, ours or anybody's, is never taken.
        file_ = CreateFileW(ExtendedLengthPath(candidate).c_str(), GENERIC_WRITE, 0, nullptr,
                            CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file_ != INVALID_HANDLE_VALUE) {
            temporary_ = candidate;
            return true;
        }
        if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS) break;
    }
    return false;
}

bool FileReplacement::Write(const char* bytes, std::size_t count) {
    if (!IsOpen()) return false;
    std::size_t written = 0;
    while (written < count) {
        const std::size_t left = count - written;
        const DWORD chunk = left > 0x10000000 ? 0x10000000 : static_cast<DWORD>(left);
        DWORD done = 0;
        if (!WriteFile(file_, bytes + written, chunk, &done, nullptr) || done == 0) return false;
        written += done;
    }
    return true;
}

bool FileReplacement::Commit() {
    if (!IsOpen()) return false;
    const bool flushed = FlushFileBuffers(file_) != 0;
    const bool closed = CloseHandle(file_) != 0;
    file_ = INVALID_HANDLE_VALUE;
    const std::wstring from = ExtendedLengthPath(temporary_);
    const std::wstring to = ExtendedLengthPath(target_);
    // Windows refuses to replace a read-only file, Wine does not: the
    // program must not depend on which.
    const DWORD targetAttributes = GetFileAttributesW(to.c_str());
    const bool readOnly = targetAttributes != INVALID_FILE_ATTRIBUTES &&
                          (targetAttributes & FILE_ATTRIBUTE_READONLY) != 0;
    const bool replaced =
        flushed && closed && !readOnly && RetryWhileBusy([&] {
            return MoveFileExW(from.c_str(), to.c_str(),
                               MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
        });
    if (!replaced) DeleteFileW(from.c_str());
    temporary_.clear();
    return replaced;
}

void FileReplacement::Abandon() {
    if (!IsOpen()) return;
    CloseHandle(file_);
    file_ = INVALID_HANDLE_VALUE;
    DeleteFileW(ExtendedLengthPath(temporary_).c_str());
    temporary_.clear();
}
