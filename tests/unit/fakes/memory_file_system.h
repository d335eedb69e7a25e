// Files and folders in memory, for the logic that reads and writes files.
#pragma once

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "platform/file_system.h"

class FakeFileSystem : public FileSystem {
  public:
    std::map<std::string, std::string> files;
    std::vector<std::string> folders;
    std::string temporaryFolder = "C:\\Temp\\";

    bool FileExists(const std::string& path) override { return files.count(path) != 0; }
    bool FolderExists(const std::string& path) override {
        return std::find(folders.begin(), folders.end(), path) != folders.end();
    }
    bool CreateFolder(const std::string& path) override {
        folders.push_back(path);
        return true;
    }
    bool RemoveFolder(const std::string& path) override {
        const auto it = std::find(folders.begin(), folders.end(), path);
        if (it == folders.end()) return false;
        folders.erase(it);
        return true;
    }
    bool ReadWholeFile(const std::string& path, std::string& bytes) override {
        const auto it = files.find(path);
        if (it == files.end()) return false;
        bytes = it->second;
        return true;
    }
    bool ReplaceFileWhole(const std::string& path, const std::string& bytes) override {
        files[path] = bytes;
        return true;
    }
    std::string TemporaryFolder() override { return temporaryFolder; }
    int DriveType(const std::string&) override { return kDriveFixed; }
    bool Accessible(const std::string& path, int) override {
        return FileExists(path) || FolderExists(path);
    }
};
