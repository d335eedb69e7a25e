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
};

// Paths hold at most this many bytes (plus the terminator).
constexpr std::size_t kMaxPathBytes = 260;

// 1 when all four parts were there, else 0. Values are stored as soon as
// they are read, so an incomplete line keeps the ones before the gap.
int ReadLaunchArguments(const std::string& commandLine, LaunchArguments& arguments);

// A decimal number as the host writes it: leading blanks skipped, an
// optional sign, digits up to the first other character, 0 when there are
// none. Values beyond 64 bits saturate instead of overflowing.
std::int64_t ReadLeadingDecimal(const std::string& text);
