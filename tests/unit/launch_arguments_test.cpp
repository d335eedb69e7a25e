#include <gtest/gtest.h>

#include <cstdint>

#include "app/launch_arguments.h"
#include "platform/desktop.h"

namespace {

TEST(LaunchArguments, FourPartsWithCommasInThePath) {
    LaunchArguments args;
    ASSERT_EQ(ReadLaunchArguments("5,6,7,C:\\out\\a,b.xml", args), 1);
    EXPECT_EQ(args.hostWindow, 5);
    EXPECT_EQ(args.notifyMessage, 6);
    EXPECT_EQ(args.functionId, 7);
    EXPECT_EQ(args.presetOutputPath, "C:\\out\\a,b.xml");
}

TEST(LaunchArguments, EmptyPathIsStillComplete) {
    LaunchArguments args;
    EXPECT_EQ(ReadLaunchArguments("123,49152,-1,", args), 1);
    EXPECT_EQ(args.functionId, -1);
    EXPECT_EQ(args.presetOutputPath, "");
}

TEST(LaunchArguments, IncompleteLinesKeepTheValuesReadSoFar) {
    LaunchArguments args;
    EXPECT_EQ(ReadLaunchArguments("", args), 0);
    EXPECT_EQ(ReadLaunchArguments("5", args), 0);
    EXPECT_EQ(args.hostWindow, 0) << "nothing is read before the first comma is found";
    EXPECT_EQ(ReadLaunchArguments("5,6,7", args), 0);
    EXPECT_EQ(args.hostWindow, 5);
    EXPECT_EQ(args.notifyMessage, 6);
    EXPECT_EQ(args.functionId, 2) << "the third value needs its comma";
    EXPECT_EQ(args.presetOutputPath, "");
}

TEST(LaunchArguments, FunctionIdKeepsItsSixteenBits) {
    LaunchArguments args;
    ReadLaunchArguments("1,2,65535,", args);
    EXPECT_EQ(args.functionId, -1);
    ReadLaunchArguments("1,2,32767,", args);
    EXPECT_EQ(args.functionId, 32767);
}

TEST(LaunchArguments, HostWindowNumberKeepsItsLow32BitsSignExtended) {
    const struct {
        std::int64_t number;
        std::intptr_t handle;
    } cases[] = {{0, 0},
                 {4242, 4242},
                 {0x7FFFFFFF, 0x7FFFFFFF},
                 {4294901760, -65536},  // 0xFFFF0000 written unsigned
                 {-65536, -65536},      // the same handle written signed
                 {0x100001234, 0x1234}};
    for (const auto& c : cases) {
        EXPECT_EQ(reinterpret_cast<std::intptr_t>(WindowFromHandleNumber(c.number)), c.handle)
            << c.number;
    }
}

TEST(LaunchArguments, PathTooLongForAnyPathBufferIsNotPreset) {
    LaunchArguments args;
    const std::string fits(260, 'p');
    ASSERT_EQ(ReadLaunchArguments("1,2,3," + fits, args), 1);
    EXPECT_EQ(args.presetOutputPath, fits);
    EXPECT_FALSE(args.presetPathTooLong);
    LaunchArguments longer;
    ASSERT_EQ(ReadLaunchArguments("1,2,3," + fits + "q", longer), 1);
    EXPECT_EQ(longer.presetOutputPath, "");
    EXPECT_TRUE(longer.presetPathTooLong) << "told, so that the run can refuse it";
    EXPECT_EQ(longer.functionId, 3);
}

}  // namespace
