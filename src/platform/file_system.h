// The file and folder services the sheet's checks and the saved conditions
// need. Paths are code page 932 byte strings. The Win32 implementation is
// in win/; tests use fakes or real folders under Wine.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "platform/output_file.h"

// A path holds at most 260 bytes (code page 932) plus its terminator.
inline constexpr std::size_t kMaxPathBytes = 260;
inline constexpr std::size_t kPathCapacity = kMaxPathBytes + 1;

class FileSystem {
  public:
    virtual ~FileSystem() = default;

    // An existing file that is not a folder.
    virtual bool FileExists(const std::string& path) = 0;
    // An existing folder; a trailing backslash is allowed.
    virtual bool FolderExists(const std::string& path) = 0;
    // Creates one folder whose parent exists.
    virtual bool CreateFolder(const std::string& path) = 0;
    // Removes one empty folder.
    virtual bool RemoveFolder(const std::string& path) = 0;

    // At most `maxBytes` bytes from the start of the file, read without
    // keeping others from reading or writing it; false when there is no file
    // that can be read.
    virtual bool ReadFileBytes(const std::string& path, std::size_t maxBytes,
                               std::string& bytes) = 0;
    bool ReadWholeFile(const std::string& path, std::string& bytes) {
        return ReadFileBytes(path, static_cast<std::size_t>(-1), bytes);
    }
    // Writes `bytes` to a new file beside `path` and only when that is
    // complete puts it in place of `path`; on failure `path` is as before.
    virtual bool ReplaceFileWhole(const std::string& path, const std::string& bytes) = 0;

    // A file to write front to back, as the XML report writes its document.
    virtual std::unique_ptr<OutputFile> CreateOutputFile() = 0;

    // The system's temporary-files folder, at most 260 bytes.
    virtual std::string TemporaryFolder() = 0;

    // Drive types, numbered as Windows numbers them.
    static constexpr int kDriveUnknown = 0;
    static constexpr int kDriveNoRootDirectory = 1;
    static constexpr int kDriveRemovable = 2;
    static constexpr int kDriveFixed = 3;
    static constexpr int kDriveRemote = 4;
    static constexpr int kDriveCdRom = 5;
    static constexpr int kDriveRamDisk = 6;
    // The type of the drive whose root is `root` ("C:\\").
    virtual int DriveType(const std::string& root) = 0;
    // The C library's access test: mode 0 exists; 2 write, 4 read, 6 both.
    // A read-only file or folder refuses write.
    virtual bool Accessible(const std::string& path, int accessMode) = 0;
};
