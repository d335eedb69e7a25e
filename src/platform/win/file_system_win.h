// The file system of the program: the Win32 file and folder services,
// called through their UTF-16 functions.
#pragma once

#include <string>

#include "platform/file_system.h"

class Win32FileSystem : public FileSystem {
  public:
    bool FileExists(const std::string& path) override;
    bool FolderExists(const std::string& path) override;
    bool CreateFolder(const std::string& path) override;
    bool RemoveFolder(const std::string& path) override;
    FileRead ReadFileBytes(const std::string& path, std::size_t maxBytes,
                           std::string& bytes) override;
    std::unique_ptr<OutputFile> CreateOutputFile() override;
    bool ReplaceFileWhole(const std::string& path, const std::string& bytes) override;
    ReplaceBlock WhatBlocksReplacing(const std::string& path) override;
    // Empty when the system's folder is longer than 260 bytes or has a
    // character code page 932 lacks: either would name another folder.
    std::string TemporaryFolder() override;
    int DriveType(const std::string& root) override;
    bool Accessible(const std::string& path, int accessMode) override;
};
