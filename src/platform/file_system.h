// The file and folder services the sheet's checks and the saved conditions
// need. Paths are code page 932 byte strings. The Win32 implementation is
// in win/; tests use fakes or real folders under Wine.
#pragma once

#include <string>

class FileSystem {
public:
    virtual ~FileSystem() = default;

    virtual bool FileExists(const std::string& path) = 0;
    virtual bool FolderExists(const std::string& path) = 0;
    // Creates one folder whose parent exists.
    virtual bool CreateFolder(const std::string& path) = 0;
    // Removes one empty folder.
    virtual bool RemoveFolder(const std::string& path) = 0;

    // False when there is no file that can be read whole.
    virtual bool ReadWholeFile(const std::string& path, std::string& bytes) = 0;
    // Writes `bytes` to a new file beside `path` and only when that is
    // complete puts it in place of `path`; on failure `path` is as before.
    virtual bool ReplaceFileWhole(const std::string& path, const std::string& bytes) = 0;

    // The system's temporary-files folder, at most 260 bytes.
    virtual std::string TemporaryFolder() = 0;
};
