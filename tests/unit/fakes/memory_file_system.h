// Files and folders in memory, for the logic that reads and writes files,
// and an output file that fails on demand and keeps what it saw.
#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/shift_jis_text.h"
#include "platform/file_system.h"

// What an output file saw; it outlives the file. Only a file closed
// without failure reaches its path.
struct OutputRecord {
    // Writes after this many successful ones fail.
    std::size_t writesBeforeFailure = static_cast<std::size_t>(-1);
    bool failCreate = false;
    bool failClose = false;

    std::string path;
    std::string bytes;
    std::size_t writes = 0;
    int closes = 0;
    int abandons = 0;
};

class RecordingOutputFile final : public OutputFile {
  public:
    // `closed` runs once a created file is closed without failing.
    explicit RecordingOutputFile(OutputRecord& record,
                                 std::function<void(const OutputRecord&)> closed = nullptr)
        : r_(record), closed_(std::move(closed)) {}

    bool Create(const std::string& path) override {
        r_.path = path;
        if (r_.failCreate) return false;
        r_.bytes.clear();
        open_ = true;
        return true;
    }
    bool Write(std::string_view text) override {
        if (!open_ || r_.writes == r_.writesBeforeFailure) return false;
        ++r_.writes;
        r_.bytes.append(text.data(), text.size());
        return true;
    }
    bool Close() override {
        ++r_.closes;
        const bool wasOpen = open_;
        open_ = false;
        if (r_.failClose) return false;
        if (wasOpen && closed_) closed_(r_);
        return true;
    }
    void Abandon() override {
        ++r_.abandons;
        open_ = false;
    }

  private:
    OutputRecord& r_;
    std::function<void(const OutputRecord&)> closed_;
    bool open_ = false;
};

// Paths compare as given, except that a folder's trailing backslash does
// not count ("C:\\out\\" is the folder "C:\\out").
class MemoryFileSystem : public FileSystem {
  public:
    std::map<std::string, std::string> files;
    std::set<std::string> folders;
    std::set<std::string> readOnly;        // refuse write access
    std::set<std::string> unreadable;      // there, but cannot be read
    std::set<std::string> inUse;           // held open by another program
    std::set<std::string> refusedFolders;  // cannot be created
    std::map<char, int> driveTypes;        // by upper-case letter; others are fixed
    std::string temporaryFolder = "C:\\Temp\\";
    bool replaceFails = false;
    // Writing a file (whole or as output) raises a failure nobody expects.
    bool writesThrow = false;
    // Folder creations and removals, in order: "create C:\\a", "remove C:\\a".
    std::vector<std::string> changes;
    // The output files made, in order; a file closed without failure also
    // lands in `files`.
    std::vector<std::unique_ptr<OutputRecord>> outputs;
    // Settings every new output file starts with, unless `plannedOutputs`
    // has some for its place in `outputs`.
    OutputRecord nextOutput;
    std::map<std::size_t, OutputRecord> plannedOutputs;

    static std::string Key(std::string path) {
        if (path.size() > 1 && EndsWithSingleByte(path, '\\')) path.pop_back();
        return path;
    }

    bool FileExists(const std::string& path) override { return files.count(path) != 0; }
    bool FolderExists(const std::string& path) override { return Holds(folders, path); }
    // Only below an existing folder, as the system creates one level.
    bool CreateFolder(const std::string& path) override {
        const std::string key = Key(path);
        changes.push_back("create " + key);
        const std::size_t parent = FindLastSingleByte(key, "\\");
        const bool parentExists =
            parent != std::string::npos && FolderExists(key.substr(0, parent));
        if (!parentExists || Holds(refusedFolders, key) || FolderExists(key)) return false;
        folders.insert(key);
        return true;
    }
    bool RemoveFolder(const std::string& path) override {
        changes.push_back("remove " + Key(path));
        for (auto it = folders.begin(); it != folders.end(); ++it) {
            if (Key(*it) != Key(path)) continue;
            folders.erase(it);
            return true;
        }
        return false;
    }
    FileRead ReadFileBytes(const std::string& path, std::size_t maxBytes,
                           std::string& bytes) override {
        const auto it = files.find(path);
        if (it == files.end()) return FileRead::kNoFile;
        if (unreadable.count(path) != 0) return FileRead::kUnreadable;
        bytes = it->second.substr(0, maxBytes);
        return FileRead::kRead;
    }
    ReplaceBlock WhatBlocksReplacing(const std::string& path) override {
        if (!FileExists(path)) return ReplaceBlock::kNone;
        if (Holds(readOnly, path)) return ReplaceBlock::kReadOnly;
        return inUse.count(path) != 0 ? ReplaceBlock::kInUse : ReplaceBlock::kNone;
    }
    bool ReplaceFileWhole(const std::string& path, const std::string& bytes) override {
        if (writesThrow) throw std::runtime_error("the file system failed");
        if (replaceFails || Holds(readOnly, path) || inUse.count(path) != 0) return false;
        files[path] = bytes;
        return true;
    }
    std::unique_ptr<OutputFile> CreateOutputFile() override {
        if (writesThrow) throw std::runtime_error("the file system failed");
        const auto planned = plannedOutputs.find(outputs.size());
        outputs.push_back(std::make_unique<OutputRecord>(
            planned != plannedOutputs.end() ? planned->second : nextOutput));
        return std::make_unique<RecordingOutputFile>(
            *outputs.back(), [this](const OutputRecord& r) { files[r.path] = r.bytes; });
    }
    std::string TemporaryFolder() override { return temporaryFolder; }
    int DriveType(const std::string& root) override {
        const auto it = driveTypes.find(root.empty() ? '\0' : root[0]);
        return it != driveTypes.end() ? it->second : kDriveFixed;
    }
    bool Accessible(const std::string& path, int mode) override {
        const bool exists = FileExists(path) || FolderExists(path);
        return exists && !((mode & 2) && Holds(readOnly, path));
    }

  private:
    static bool Holds(const std::set<std::string>& set, const std::string& path) {
        for (const std::string& entry : set) {
            if (Key(entry) == Key(path)) return true;
        }
        return false;
    }
};
