// The Win32 file system and the folder creation on real folders of a
// temporary folder.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win/code_page.h"
#include "platform/win/file_system_win.h"
#include "tests/win/folder_entries.h"
#include "ui/sheet/folder_creation.h"
#include "ui/sheet/path_rules.h"

namespace {

class RealFolders : public ::testing::Test {
  protected:
    void SetUp() override {
        base_ = files_.TemporaryFolder() + "ldg-fs-" + std::to_string(GetCurrentProcessId()) + "-" +
                std::to_string(GetTickCount()) + "\\";
        ASSERT_TRUE(files_.CreateFolder(base_) && files_.CreateFolder(base_ + "a"));
    }
    void TearDown() override {
        for (const char* name : {"a\\f", "a\\f.tmp", "a\\x.xml"})
            DeleteFileW(WideFromCp932(base_ + name).c_str());
        for (const char* name : {"a\\表", "a\\b\\c", "a\\b", "a\\n", "a", ""})
            files_.RemoveFolder(base_ + name);
    }
    bool IsFolder(const std::string& name) { return files_.FolderExists(base_ + name); }
    std::string Read(const std::string& name) {
        std::string bytes;
        return files_.ReadWholeFile(base_ + name, bytes) == FileRead::kRead ? bytes : "(none)";
    }
    std::vector<std::wstring> Entries(const std::string& folder) {
        return FolderEntries(WideFromCp932(base_ + folder));
    }

    Win32FileSystem files_;
    std::string base_;
};

TEST_F(RealFolders, CreatesMissingLevelsAndUndoesOnlyItsOwn) {
    EXPECT_TRUE(CreateFolderPath(files_, base_ + "a\\b\\c\\x.xml"));
    EXPECT_TRUE(IsFolder("a\\b\\c"));
    // A name the file system refuses: the level created before it goes again.
    EXPECT_FALSE(CreateFolderPath(files_, base_ + "a\\n\\c?\\"));
    EXPECT_FALSE(IsFolder("a\\n"));
    EXPECT_TRUE(IsFolder("a"));
    // A file in the way, written through a temporary that does not stay.
    std::string bytes;
    ASSERT_TRUE(files_.ReplaceFileWhole(base_ + "a\\f", "first"));
    ASSERT_TRUE(files_.ReplaceFileWhole(base_ + "a\\f", "in the way"));
    EXPECT_EQ(Read("a\\f"), "in the way");
    EXPECT_FALSE(files_.FileExists(base_ + "a\\f.tmp"));
    EXPECT_FALSE(files_.ReplaceFileWhole(base_ + "a\\missing\\f", "x"));
    EXPECT_FALSE(CreateFolderPath(files_, base_ + "a\\f\\g\\"));
    EXPECT_TRUE(files_.FileExists(base_ + "a\\f") && IsFolder("a\\b"));

    EXPECT_TRUE(CreateFolderPath(files_, base_ + "a\\表\\"));
    const DWORD made = GetFileAttributesW((WideFromCp932(base_) + L"a\\表").c_str());
    EXPECT_TRUE(made != INVALID_FILE_ATTRIBUTES && (made & FILE_ATTRIBUTE_DIRECTORY));
}

TEST_F(RealFolders, FilesAreReplacedOnlyByWholeNewFiles) {
    // A file of the user's that a temporary name could have taken.
    ASSERT_TRUE(files_.ReplaceFileWhole(base_ + "a\\f.tmp", "the user's"));
    ASSERT_TRUE(files_.ReplaceFileWhole(base_ + "a\\f", "saved"));
    EXPECT_EQ(Read("a\\f.tmp"), "the user's");

    ASSERT_TRUE(files_.ReplaceFileWhole(base_ + "a\\x.xml", "previous"));
    std::unique_ptr<OutputFile> file = files_.CreateOutputFile();
    ASSERT_TRUE(file->Create(base_ + "a\\x.xml"));
    ASSERT_TRUE(file->Write(std::string(40000, 'p')));
    EXPECT_EQ(Read("a\\x.xml"), "previous") << "nothing replaced before the close";
    file->Abandon();
    EXPECT_EQ(Read("a\\x.xml"), "previous");
    EXPECT_EQ(Entries("a").size(), 3u) << "no temporary file stays";

    // A path so long that the temporary file beside it exceeds MAX_PATH.
    std::string deep = "a";
    while (base_.size() + deep.size() < 220)
        deep += "\\" + std::string(40, 'd');
    ASSERT_TRUE(CreateFolderPath(files_, base_ + deep + "\\"));
    const std::string target = deep + "\\" + std::string(259 - base_.size() - deep.size() - 1, 'x');
    file = files_.CreateOutputFile();
    ASSERT_TRUE(file->Create(base_ + target));
    ASSERT_TRUE(file->Write("whole"));
    EXPECT_TRUE(file->Close());
    EXPECT_EQ(Read(target), "whole");
    EXPECT_EQ(Entries(deep).size(), 1u);
    DeleteFileW(WideFromCp932(base_ + target).c_str());
    while (deep != "a") {
        files_.RemoveFolder(base_ + deep);
        deep = deep.substr(0, deep.rfind('\\'));
    }
}

// What another program's hold on a file does: a file held without sharing
// is there but unreadable, and cannot be replaced; a read-only one is never
// replaced, on Windows and under Wine alike.
TEST_F(RealFolders, FilesHeldOrReadOnlyAreToldApartAndKeptAsTheyAre) {
    ASSERT_TRUE(files_.ReplaceFileWhole(base_ + "a\\f", "previous"));
    std::string bytes;
    EXPECT_EQ(files_.ReadWholeFile(base_ + "a\\missing", bytes), FileRead::kNoFile);
    EXPECT_EQ(files_.ReadWholeFile(base_ + "none\\f", bytes), FileRead::kNoFile);
    EXPECT_EQ(files_.WhatBlocksReplacing(base_ + "a\\missing"), ReplaceBlock::kNone);
    const std::wstring path = WideFromCp932(base_ + "a\\f");
    const struct {
        DWORD share;
        FileRead read;
        ReplaceBlock block;
    } holds[] = {{0, FileRead::kUnreadable, ReplaceBlock::kInUse},
                 {FILE_SHARE_READ, FileRead::kRead, ReplaceBlock::kInUse},
                 {FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, FileRead::kRead,
                  ReplaceBlock::kNone}};
    for (const auto& hold : holds) {
        SCOPED_TRACE(hold.share);
        HANDLE held = CreateFileW(path.c_str(), GENERIC_READ, hold.share, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        EXPECT_EQ(files_.ReadWholeFile(base_ + "a\\f", bytes), hold.read);
        EXPECT_EQ(files_.WhatBlocksReplacing(base_ + "a\\f"), hold.block);
        CloseHandle(held);
    }
    ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(files_.WhatBlocksReplacing(base_ + "a\\f"), ReplaceBlock::kReadOnly);
    EXPECT_FALSE(files_.ReplaceFileWhole(base_ + "a\\f", "new"));
    std::unique_ptr<OutputFile> file = files_.CreateOutputFile();
    ASSERT_TRUE(file->Create(base_ + "a\\f"));
    ASSERT_TRUE(file->Write("new"));
    EXPECT_FALSE(file->Close());
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(Read("a\\f"), "previous");
    EXPECT_EQ(Entries("a").size(), 1u) << "no temporary file stays";
}

TEST_F(RealFolders, LetterWithoutAVolumeIsUsableButHasNoFolder) {
    char letter = 'Z';
    while (letter > 'D' && files_.DriveType(std::string(1, letter) + ":\\") != 1)
        --letter;
    ASSERT_GT(letter, 'D');
    EXPECT_TRUE(IsUsableDrive(files_, std::string(1, letter) + ":\\x.xml"));
    EXPECT_FALSE(CreateFolderPath(files_, std::string(1, letter) + ":\\"));
    EXPECT_TRUE(IsUsableDrive(files_, base_ + "x.xml"));
}

}  // namespace
