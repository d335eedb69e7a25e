// The command line the host starts the program with:
// "<host window>,<message id>,<function id>,<output path>".
#pragma once

#include <cstdint>
#include <string>

struct LaunchArguments {
    std::int64_t hostWindow = 0;
    std::int32_t notifyMessage = 0;
    std::int16_t functionId = 2;
    std::string presetOutputPath;
    // The host named an output path that no path can hold: it is not
    // preset, and the run must not write anywhere else in its place.
    bool presetPathTooLong = false;
};

// 1 when all four parts were there, else 0. Values are stored as soon as
// they are read, so an incomplete line keeps the ones before the gap.
int ReadLaunchArguments(const std::string& commandLine, LaunchArguments& arguments);
