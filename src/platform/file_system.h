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

// What a read found: a file that exists but cannot be read (held by
// another program, a server away) is not the same as no file at all.
enum class FileRead { kRead, kNoFile, kUnreadable };

// What keeps an existing file from being replaced.
enum class ReplaceBlock { kNone, kReadOnly, kInUse };

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
    // keeping others from reading, writing or replacing it. A file that
    // another program holds for a moment is waited for, up to a second.
    virtual FileRead ReadFileBytes(const std::string& path, std::size_t maxBytes,
                                   std::string& bytes) = 0;
    FileRead ReadWholeFile(const std::string& path, std::string& bytes) {
        return ReadFileBytes(path, static_cast<std::size_t>(-1), bytes);
    }
    // Writes `bytes` to a new file beside `path` and only when that is
    // complete puts it in place of `path`; on failure `path` is as before.
    // A read-only file at `path` is never replaced; one that another program
    // holds for a moment is waited for, up to a second.
    virtual bool ReplaceFileWhole(const std::string& path, const std::string& bytes) = 0;
    // Whether the file at `path` could be replaced now: kReadOnly for a
    // read-only file, kInUse for one that another program keeps open without
    // letting it be replaced (a hold of a moment is waited out, as above);
    // kNone also when there is no file.
    virtual ReplaceBlock WhatBlocksReplacing(const std::string& path) = 0;

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
