#include "platform/win/file_system_win.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>

#include "platform/win/busy_file_win.h"
#include "platform/win/code_page.h"
#include "platform/win/file_replace_win.h"
#include "platform/win/output_file_win.h"

namespace {

DWORD AttributesOf(const std::string& path) {
    if (path.empty()) return INVALID_FILE_ATTRIBUTES;
    return GetFileAttributesW(WideFromCp932(path).c_str());
}

class FileHandle {
  public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    ~FileHandle() { Close(); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }
    bool Close() {
        if (!IsOpen()) return true;
        const bool closed = CloseHandle(handle_) != 0;
        handle_ = INVALID_HANDLE_VALUE;
        return closed;
    }

  private:
    HANDLE handle_;
};

// An existing file opened for `access`, shared with every other opener:
// only one that shares nothing stands in the way, and a hold of a moment is
// waited out. An invalid handle, with the last error set, when it cannot be.
HANDLE OpenSharedWhenFree(const std::string& path, DWORD access) {
    const std::wstring widePath = WideFromCp932(path);
    HANDLE opened = INVALID_HANDLE_VALUE;
    RetryWhileBusy([&] {
        opened = CreateFileW(widePath.c_str(), access,
                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        return opened != INVALID_HANDLE_VALUE;
    });
    return opened;
}

}  // namespace

bool Win32FileSystem::FileExists(const std::string& path) {
    const DWORD attributes = AttributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32FileSystem::FolderExists(const std::string& path) {
    const DWORD attributes = AttributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32FileSystem::CreateFolder(const std::string& path) {
    return !path.empty() && CreateDirectoryW(WideFromCp932(path).c_str(), nullptr) != 0;
}

bool Win32FileSystem::RemoveFolder(const std::string& path) {
    return !path.empty() && RemoveDirectoryW(WideFromCp932(path).c_str()) != 0;
}

FileRead Win32FileSystem::ReadFileBytes(const std::string& path, std::size_t maxBytes,
                                        std::string& bytes) {
    if (path.empty()) return FileRead::kNoFile;
    // Shared for deleting too, so that a replacement by another run waits
    // for nothing but this read.
    FileHandle file(OpenSharedWhenFree(path, GENERIC_READ));
    if (!file.IsOpen()) {
        // A path that cannot name a file has none; anything else (held by
        // another program, a server away, a drive not ready) may hide one.
        const DWORD error = GetLastError();
        const bool none = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
                          error == ERROR_INVALID_DRIVE || error == ERROR_INVALID_NAME ||
                          error == ERROR_BAD_PATHNAME;
        return none ? FileRead::kNoFile : FileRead::kUnreadable;
    }
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart < 0) return FileRead::kUnreadable;
    const auto fileBytes = static_cast<std::uint64_t>(size.QuadPart);
    std::string content(static_cast<std::size_t>(std::min<std::uint64_t>(fileBytes, maxBytes)),
                        '\0');
    std::size_t read = 0;
    while (read < content.size()) {
        const std::size_t left = content.size() - read;
        const DWORD chunk = left > 0x10000000 ? 0x10000000 : static_cast<DWORD>(left);
        DWORD done = 0;
        if (!ReadFile(file.Get(), &content[read], chunk, &done, nullptr)) {
            return FileRead::kUnreadable;
        }
        if (done == 0) break;
        read += done;
    }
    content.resize(read);
    bytes.swap(content);
    return FileRead::kRead;
}

bool Win32FileSystem::ReplaceFileWhole(const std::string& path, const std::string& bytes) {
    if (path.empty()) return false;
    FileReplacement replacement;
    if (!replacement.Begin(WideFromCp932(path))) return false;
    return replacement.Write(bytes.data(), bytes.size()) && replacement.Commit();
}

ReplaceBlock Win32FileSystem::WhatBlocksReplacing(const std::string& path) {
    const DWORD attributes = AttributesOf(path);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return ReplaceBlock::kNone;
    }
    if (attributes & FILE_ATTRIBUTE_READONLY) return ReplaceBlock::kReadOnly;
    // A replacement removes the file: a program that keeps it open without
    // sharing it for deleting (the tax-return application, an editor)
    // refuses exactly this.
    FileHandle file(OpenSharedWhenFree(path, DELETE));
    const DWORD error = GetLastError();
    if (file.IsOpen()) return ReplaceBlock::kNone;
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ? ReplaceBlock::kInUse
                                                                             : ReplaceBlock::kNone;
}

std::unique_ptr<OutputFile> Win32FileSystem::CreateOutputFile() {
    return CreateWin32OutputFile();
}

std::string Win32FileSystem::TemporaryFolder() {
    wchar_t folder[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
    if (length == 0 || length > MAX_PATH) return {};
    std::string text;
    const bool whole = Cp932FromWide(std::wstring(folder, length), text);
    return whole && text.size() <= kMaxPathBytes ? text : std::string();
}

int Win32FileSystem::DriveType(const std::string& root) {
    return static_cast<int>(GetDriveTypeW(WideFromCp932(root).c_str()));
}

bool Win32FileSystem::Accessible(const std::string& path, int accessMode) {
    DWORD attributes = AttributesOf(path);
    // A share root ("\\\\server\\share") is found only with its backslash.
    if (attributes == INVALID_FILE_ATTRIBUTES && !path.empty())
        attributes = AttributesOf(path + "\\");
    if (attributes == INVALID_FILE_ATTRIBUTES) return false;
    return !((accessMode & 2) && (attributes & FILE_ATTRIBUTE_READONLY));
}
