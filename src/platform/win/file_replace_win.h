// Writing a file so that what stood at its path is replaced only by a
// complete new file: the bytes go to a temporary file beside it, under a
// name no other file has, which then takes the path's place in one rename
// on the same volume (atomic on NTFS). A failure removes the temporary
// file and leaves the path as it was.
#pragma once

#include <windows.h>

#include <string>

class FileReplacement {
  public:
    FileReplacement() = default;
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;
    // Abandons an unfinished replacement.
    ~FileReplacement() { Abandon(); }

    // Creates the temporary file beside `target`; false when it cannot.
    bool Begin(const std::wstring& target);
    // False when any byte could not be written.
    bool Write(const char* bytes, std::size_t count);
    // Flushes and closes the temporary file, then puts it in place of the
    // target, waiting up to a second for a target another program holds.
    // False (and the temporary file removed) when any step fails or the
    // target is read-only.
    bool Commit();
    // Removes the temporary file; the target stays as it was.
    void Abandon();

    bool IsOpen() const { return file_ != INVALID_HANDLE_VALUE; }

  private:
    HANDLE file_ = INVALID_HANDLE_VALUE;
    std::wstring target_;
    std::wstring temporary_;
};
