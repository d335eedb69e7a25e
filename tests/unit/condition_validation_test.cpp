// The checks of "実行(F12)" over an in-memory file system.
#include "ui/sheet/condition_validation.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "host_fixture.h"
#include "platform/file_system.h"
#include "res/condition_sheet_res.h"
#include "tests/unit/recording_views.h"
#include "ui/sheet/folder_creation.h"
#include "ui/sheet/path_rules.h"

namespace {

using Messages = ConditionMessages;
using Texts = std::vector<std::string>;

std::string Key(std::string path) {
    if (!path.empty() && path.back() == '\\' && !IsDoubleByteAt(path, path.size() - 1))
        path.pop_back();
    return path;
}

class FakeFileSystem : public FileSystem {
  public:
    std::set<std::string> folders{"C:", "C:\\out"}, files, readOnly, refused;
    std::map<char, int> driveTypes{{'Q', kDriveNoRootDirectory}, {'R', kDriveCdRom}};
    Texts changes;

    bool FileExists(const std::string& path) override { return files.count(Key(path)) != 0; }
    bool FolderExists(const std::string& path) override { return folders.count(Key(path)) != 0; }
    bool CreateFolder(const std::string& path) override {
        changes.push_back("create " + Key(path));
        return !refused.count(Key(path)) && FolderExists(FolderPartOf(Key(path))) &&
               folders.insert(Key(path)).second;
    }
    bool RemoveFolder(const std::string& path) override {
        changes.push_back("remove " + Key(path));
        return folders.erase(Key(path)) != 0;
    }
    bool ReadWholeFile(const std::string&, std::string&) override { return false; }
    bool ReplaceFileWhole(const std::string&, const std::string&) override { return false; }
    std::string TemporaryFolder() override { return "C:\\Temp\\"; }
    int DriveType(const std::string& root) override {
        return driveTypes.count(root[0]) ? driveTypes[root[0]] : kDriveFixed;
    }
    bool Accessible(const std::string& path, int mode) override {
        return FolderExists(path) && !((mode & 2) && readOnly.count(Key(path)));
    }
};

class ConditionChecks : public HostFixture {
  protected:
    void SetUp() override {
        HostFixture::SetUp();
        view.answerYes = true;
        WriteState("");
        ASSERT_EQ(ClHostLink::Instance()->Connect(), 0);
        Period(20160401, 20170331, 4, 3);
        conditions.outputPath = "C:\\out\\x.xml";
    }
    void Period(std::int32_t start, std::int32_t end, int first, int last) {
        conditions.periodStart = start;
        conditions.periodEnd = end;
        conditions.startMonth = static_cast<std::int16_t>(first);
        conditions.endMonth = static_cast<std::int16_t>(last);
    }
    Texts Check(bool expectPassed) {
        view.calls.clear();
        EXPECT_EQ(ValidateConditions(conditions, fileSystem, view, [this] { browsed = true; }),
                  expectPassed)
            << conditions.outputPath << " end month " << conditions.endMonth;
        return view.calls;
    }
    // An error, back to page 1 and the focus into `field`.
    static Texts Refused(const char* message, int field = IDE_OUTPUT_PATH) {
        return {std::string("error ") + message, "page 0", "focus " + std::to_string(field)};
    }
    // A question answered No, back to the output path.
    static Texts Declined(const char* question) {
        return {std::string("ask ") + question, "page 0",
                "focus " + std::to_string(IDE_OUTPUT_PATH)};
    }

    AggregationConditions conditions;
    FakeFileSystem fileSystem;
    RecordingSheetView view;
    bool browsed = false;
};

TEST_F(ConditionChecks, EndMonthMustLieInTheFiscalYearAndNotBeforeTheIntroduction) {
    // Period, its first month, end months that pass, end months refused.
    const std::tuple<std::int32_t, std::int32_t, int, std::vector<int>, std::vector<int>> cases[] =
        {{20160401, 20170331, 4, {4, 12, 1, 3}, {0, 13}},
         {20161001, 20170331, 10, {10, 12, 1, 3}, {4, 9}},
         {20160101, 20161231, 1, {1, 12}, {0, 13}},
         {20160601, 20161231, 6, {6, 12}, {5, 1}}};
    for (const auto& [start, end, first, passing, refused] : cases) {
        for (const int month : passing) {
            Period(start, end, first, month);
            EXPECT_EQ(Check(true), Texts{});
        }
        for (const int month : refused) {
            Period(start, end, first, month);
            EXPECT_EQ(Check(false), Refused(Messages::kWrongPeriod, IDE_END_MONTH));
        }
    }
    Period(20160401, 20170331, 4, 5);
    conditions.introMonth = 3;
    EXPECT_EQ(Check(false), Refused(Messages::kBeforeIntroduction, IDE_END_MONTH));
    conditions.endMonth = 6;
    Check(true);
}

TEST_F(ConditionChecks, PathTextDriveAndFileName) {
    fileSystem.folders.insert({"\\\\server\\share", "\\\\server\\ro", "C:\\out\\dir"});
    fileSystem.readOnly.insert("\\\\server\\ro");
    for (const char* path : {"C:\\out\\ポ.xml", "\\\\server\\share\\x.xml"}) {
        conditions.outputPath = path;
        Check(true);
    }
    const std::pair<const char*, const char*> refusals[] = {
        {"C:\\out\\*.xml", Messages::kInvalidCharacter},
        {"R:\\x.xml", Messages::kInvalidDrive},
        {" C:\\x.xml", Messages::kInvalidDrive},
        {"\\\\server\\ro\\x.xml", Messages::kInvalidDrive},
        {"\\\\server\\x.xml", Messages::kInvalidDrive},
        {"C:\\out\\", Messages::kNoFileName},
        {"C:\\out\\dir", Messages::kNoFileName}};
    for (const auto& [path, message] : refusals) {
        conditions.outputPath = path;
        EXPECT_EQ(Check(false), Refused(message));
    }
    conditions.outputPath.clear();
    EXPECT_EQ(Check(false), (Texts{std::string("error ") + Messages::kNoOutputPath, "page 0"}));
    EXPECT_TRUE(browsed);
    // A letter without a volume passes the drive check but has no folder.
    conditions.outputPath = "Q:\\x.xml";
    EXPECT_EQ(Check(false)[1], std::string("error ") + Messages::kFolderNotCreated);
}

TEST_F(ConditionChecks, MissingFolderAndExistingFile) {
    fileSystem.folders.insert("C:\\a");
    fileSystem.refused.insert("C:\\a\\b\\表");
    conditions.outputPath = "C:\\a\\b\\表\\x.xml";
    Texts shown = Refused(Messages::kFolderNotCreated);
    shown.insert(shown.begin(), std::string("ask ") + Messages::kCreateFolder);
    EXPECT_EQ(Check(false), shown);
    EXPECT_EQ(fileSystem.changes,
              (Texts{"create C:\\a\\b", "create C:\\a\\b\\表", "remove C:\\a\\b"}));
    fileSystem.refused.clear();
    Check(true);
    EXPECT_TRUE(fileSystem.FolderExists("C:\\a\\b\\表\\"));

    view.answerYes = false;
    conditions.outputPath = "C:\\new\\x.xml";
    EXPECT_EQ(Check(false), Declined(Messages::kCreateFolder));
    // An existing file is asked about only when the host did not preset the path.
    fileSystem.files.insert("C:\\out\\x.xml");
    conditions.outputPath = "C:\\out\\x.xml";
    EXPECT_EQ(Check(false), Declined(Messages::kOverwriteFile));
    conditions.pathFixed = 1;
    EXPECT_EQ(Check(true), Texts{});
}

TEST(FolderUndo, RemovesOnlyWhatLiesBetweenTheLastExistingAndTheFailedLevel) {
    FakeFileSystem fileSystem;
    fileSystem.folders = {"C:", "C:\\a", "C:\\a\\b", "C:\\a\\b\\c"};
    // C:\a\b\c appeared from elsewhere after it could not be created: not ours.
    EXPECT_TRUE(RemoveCreatedFolders(fileSystem, "C:\\a\\b\\c\\", "C:\\A\\"));
    EXPECT_FALSE(RemoveCreatedFolders(fileSystem, "D:\\a\\b\\", "C:\\a\\"));
    EXPECT_FALSE(RemoveCreatedFolders(fileSystem, "C:\\ャ\\b\\", "C:\\ア\\"));
    EXPECT_EQ(fileSystem.changes, Texts{"remove C:\\a\\b"});
}

}  // namespace
