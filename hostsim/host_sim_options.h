// The host simulator's command line, the child's command line it builds
// and the lines it prints: the parts that need no window.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace hostsim {

struct SimOptions {
    std::optional<std::string> stateFile;
    std::string functionId = "2";
    std::string outputPath;
    std::optional<std::string> rawArgs;
    std::uint32_t timeoutSeconds = 120;
    std::string program;
};

// Exit codes of the simulator beyond the completion codes.
constexpr int kExitTimeout = 98;
constexpr int kExitNoCompletion = 99;
constexpr int kExitUsage = 97;
constexpr int kExitCannotStart = 96;

// Arguments after the simulator's own name, UTF-8. False with a reason on
// a usage error.
bool ParseSimOptions(const std::vector<std::string>& args, SimOptions& options, std::string& error);

const char* SimUsage();

// What the program receives after its own name: the host window, the
// completion message id, the function id and the output path.
std::string BuildProgramArguments(const SimOptions& options, std::uintptr_t hostWindow,
                                  std::uint32_t messageId);

// The whole child command line: the program's path, quoted, then its
// arguments.
std::string BuildChildCommandLine(const SimOptions& options, std::uintptr_t hostWindow,
                                  std::uint32_t messageId);

struct SimOutcome {
    bool completionReceived = false;
    std::int64_t functionParameter = 0;
    std::int64_t codeParameter = 0;
    bool disabledDuringRun = false;
    bool enabledAfter = false;
    bool timedOut = false;
};

// The two lines the simulator prints, each ending with a line feed.
std::string FormatSimReport(const SimOutcome& outcome);
int SimExitCode(const SimOutcome& outcome);

}  // namespace hostsim
