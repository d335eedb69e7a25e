// The checks of "実行(F12)" over an in-memory file system.
#include "ui/sheet/condition_validation.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "res/condition_sheet_res.h"
#include "tests/unit/fakes/fake_host.h"
#include "tests/unit/fakes/memory_file_system.h"
#include "tests/unit/fakes/recording_views.h"
#include "ui/sheet/folder_creation.h"

namespace {

using Messages = ConditionMessages;
using Texts = std::vector<std::string>;

class ConditionChecks : public ::testing::Test {
  protected:
    void SetUp() override {
        fileSystem.folders = {"C:", "C:\\out"};
        fileSystem.driveTypes = {{'Q', FileSystem::kDriveNoRootDirectory},
                                 {'R', FileSystem::kDriveCdRom}};
        view.answerYes = true;
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
        EXPECT_EQ(
            ValidateConditions(host, conditions, fileSystem, view, [this] { browsed = true; }),
            expectPassed)
            << conditions.outputPath << " end month " << conditions.endMonth;
        return view.calls;
    }
    // A message ("error" or "ask"), then back to page 1's field.
    static Texts Refused(const char* message, int field = IDE_OUTPUT_PATH,
                         const std::string& kind = "error") {
        return {kind + " " + message, "page 0", "focus " + std::to_string(field)};
    }

    FakeHost host;
    AggregationConditions conditions;
    MemoryFileSystem fileSystem;
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
    fileSystem.refusedFolders.insert("C:\\a\\b\\表");
    conditions.outputPath = "C:\\a\\b\\表\\x.xml";
    Texts shown = Refused(Messages::kFolderNotCreated);
    shown.insert(shown.begin(), std::string("ask ") + Messages::kCreateFolder);
    EXPECT_EQ(Check(false), shown);
    EXPECT_EQ(fileSystem.changes,
              (Texts{"create C:\\a\\b", "create C:\\a\\b\\表", "remove C:\\a\\b"}));
    fileSystem.refusedFolders.clear();
    Check(true);
    EXPECT_TRUE(fileSystem.FolderExists("C:\\a\\b\\表\\"));

    view.answerYes = false;
    conditions.outputPath = "C:\\new\\x.xml";
    EXPECT_EQ(Check(false), Refused(Messages::kCreateFolder, IDE_OUTPUT_PATH, "ask"));
    // An existing file is asked about only when the host did not preset the path.
    fileSystem.files["C:\\out\\x.xml"] = "";
    conditions.outputPath = "C:\\out\\x.xml";
    EXPECT_EQ(Check(false), Refused(Messages::kOverwriteFile, IDE_OUTPUT_PATH, "ask"));
    conditions.pathFixed = 1;
    EXPECT_EQ(Check(true), Texts{});
}

// After Yes to the overwrite question, and for a path the host preset: a
// file that cannot be replaced is refused before the sheet closes.
TEST_F(ConditionChecks, AFileThatCannotBeReplacedKeepsTheSheetOpen) {
    const std::string path = "C:\\out\\x.xml";
    fileSystem.files[path] = "previous";
    const struct {
        int preset;
        std::set<std::string> MemoryFileSystem::*holder;
        const char* message;
    } cases[] = {{0, &MemoryFileSystem::readOnly, Messages::kOutputReadOnly},
                 {0, &MemoryFileSystem::inUse, Messages::kOutputInUse},
                 {1, &MemoryFileSystem::readOnly, Messages::kOutputReadOnly},
                 {1, &MemoryFileSystem::inUse, Messages::kOutputInUse}};
    for (const auto& c : cases) {
        conditions.pathFixed = c.preset;
        (fileSystem.*c.holder).insert(path);
        Texts shown = Refused(c.message);
        if (c.preset == 0)
            shown.insert(shown.begin(), std::string("ask ") + Messages::kOverwriteFile);
        EXPECT_EQ(Check(false), shown);
        (fileSystem.*c.holder).clear();
        EXPECT_EQ(Check(true).size(), c.preset == 0 ? 1u : 0u) << "once free, it goes through";
    }
}

TEST(FolderUndo, RemovesOnlyWhatLiesBetweenTheLastExistingAndTheFailedLevel) {
    MemoryFileSystem fileSystem;
    fileSystem.folders = {"C:", "C:\\a", "C:\\a\\b", "C:\\a\\b\\c"};
    // C:\a\b\c appeared from elsewhere after it could not be created: not ours.
    EXPECT_TRUE(RemoveCreatedFolders(fileSystem, "C:\\a\\b\\c\\", "C:\\A\\"));
    EXPECT_FALSE(RemoveCreatedFolders(fileSystem, "D:\\a\\b\\", "C:\\a\\"));
    EXPECT_FALSE(RemoveCreatedFolders(fileSystem, "C:\\ャ\\b\\", "C:\\ア\\"));
    EXPECT_EQ(fileSystem.changes, Texts{"remove C:\\a\\b"});
}

}  // namespace
