#include <gtest/gtest.h>

#include <string>

#include "app/launch_arguments.h"
#include "app/program_level.h"
#include "platform/file_system.h"

namespace {

std::string LevelFile(const std::string& valueLine) {
    return "[Other]\r\nQB16_G=9\r\n[ProgramLevel]\r\n" + valueLine + "\r\n";
}

TEST(ProgramLevelPath, OneSeparatorWhetherOrNotTheFolderEndsInOne) {
    EXPECT_EQ(LevelFilePath("C:\\Ldg"), "C:\\Ldg\\KodamaDef.ini");
    EXPECT_EQ(LevelFilePath("C:\\Ldg\\"), "C:\\Ldg\\KodamaDef.ini");
    EXPECT_EQ(LevelFilePath("C:\\"), "C:\\KodamaDef.ini");
    EXPECT_EQ(LevelFilePath(""), "KodamaDef.ini");
}

TEST(ProgramLevelPath, BackslashAsSecondByteIsNoSeparator) {
    EXPECT_EQ(LevelFilePath("C:\\ソ"), "C:\\ソ\\KodamaDef.ini");
    EXPECT_EQ(LevelFilePath("C:\\ソ\\"), "C:\\ソ\\KodamaDef.ini");
    // "ャ" is 0x83 0x83: its last byte followed by a backslash looks like
    // "ソ", yet counted from the start that backslash is a separator.
    EXPECT_EQ(LevelFilePath("C:\\ャ\\"), "C:\\ャ\\KodamaDef.ini");
}

TEST(ProgramLevelPath, FolderLongerThanAPathNamesNoFile) {
    const std::string longest = "C:\\" + std::string(kMaxPathBytes - 3, 'a');
    EXPECT_EQ(LevelFilePath(longest), longest + "\\KodamaDef.ini");
    EXPECT_EQ(LevelFilePath(longest + "b"), "");
    EXPECT_EQ(LevelFilePath(std::string(600, '\\')), "");
    // 130 double-byte characters: 260 bytes, still a path.
    std::string wide;
    for (int i = 0; i < 130; ++i)
        wide += "ソ";
    EXPECT_EQ(LevelFilePath(wide), wide + "\\KodamaDef.ini");
}

TEST(ProgramLevelCode, MissingFileOrEmptyValueIsInvalidSetup) {
    EXPECT_EQ(ProgramLevelCode(false, LevelFile("QB16_G=1")), kLevelSetupInvalid);
    EXPECT_EQ(ProgramLevelCode(true, LevelFile("QB16_G=")), kLevelSetupInvalid);
    EXPECT_EQ(ProgramLevelCode(true, LevelFile("QB16_G=\"\"")), kLevelSetupInvalid);
}

TEST(ProgramLevelCode, NoSectionOrNoKeyAcceptsOurLevel) {
    EXPECT_EQ(ProgramLevelCode(true, ""), kLevelAccepted);
    EXPECT_EQ(ProgramLevelCode(true, "[Other]\r\nQB16_G=2\r\n"), kLevelAccepted);
    EXPECT_EQ(ProgramLevelCode(true, LevelFile("QB16=2")), kLevelAccepted);
}

TEST(ProgramLevelCode, ValueReadAsLeadingNumber) {
    EXPECT_EQ(ProgramLevelCode(true, LevelFile("QB16_G=1")), kLevelAccepted);
    EXPECT_EQ(ProgramLevelCode(true, LevelFile("QB16_G=1x")), kLevelAccepted);
    EXPECT_EQ(ProgramLevelCode(true, LevelFile("QB16_G=\" 1\"")), kLevelAccepted);
    EXPECT_EQ(ProgramLevelCode(true, LevelFile("QB16_G=0")), kLevelPackageOutdated);
    EXPECT_EQ(ProgramLevelCode(true, LevelFile("QB16_G=abc")), kLevelPackageOutdated);
    EXPECT_EQ(ProgramLevelCode(true, LevelFile("QB16_G=-1")), kLevelPackageOutdated);
    EXPECT_EQ(ProgramLevelCode(true, LevelFile("QB16_G=2")), kLevelComponentOutdated);
    EXPECT_EQ(ProgramLevelCode(true, LevelFile("QB16_G=99999999999999999999")),
              kLevelComponentOutdated);
}

TEST(ProgramLevelCode, OnlyFifteenCharactersAreRead) {
    EXPECT_EQ(ProgramLevelCode(true, LevelFile("QB16_G=000000000000001")), kLevelAccepted);
    // The sixteenth character is not read: fifteen zeros remain.
    EXPECT_EQ(ProgramLevelCode(true, LevelFile("QB16_G=0000000000000001")), kLevelPackageOutdated);
}

TEST(ProgramLevelMessage, EachRefusalAsksForTheRightUpdate) {
    EXPECT_EQ(ProgramLevelMessage(kLevelAccepted), nullptr);
    EXPECT_EQ(ProgramLevelMessage(3), nullptr);
    const std::string invalid = ProgramLevelMessage(kLevelSetupInvalid);
    const std::string package = ProgramLevelMessage(kLevelPackageOutdated);
    const std::string component = ProgramLevelMessage(kLevelComponentOutdated);
    EXPECT_EQ(invalid.rfind("動作環境が不正です。\n", 0), 0u);
    EXPECT_NE(package.find("\nES_APRPACKAGENAMEの最新版"), std::string::npos);
    EXPECT_NE(component.find("\n連動コンポーネントの最新版"), std::string::npos);
}

}  // namespace
