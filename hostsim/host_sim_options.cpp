#include "hostsim/host_sim_options.h"

#include <cstdlib>
#include <string>

namespace hostsim {

namespace {

bool IsInteger(const std::string& text) {
    std::size_t i = text[0] == '-' ? 1 : 0;
    if (i == text.size() || text.size() > 20) return false;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
    }
    return true;
}

}  // namespace

const char* SimUsage() {
    return "usage: LdgHostSim.exe [--state FILE] [--function-id N] [--output PATH]\n"
           "                      [--raw-args TEXT] [--timeout SECONDS] PROGRAM.exe\n";
}

bool ParseSimOptions(const std::vector<std::string>& args, SimOptions& options,
                     std::string& error) {
    options = SimOptions{};
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool takesValue = arg == "--state" || arg == "--function-id" || arg == "--output" ||
                                arg == "--raw-args" || arg == "--timeout";
        if (takesValue) {
            if (i + 1 >= args.size()) {
                error = arg + " needs a value";
                return false;
            }
            const std::string& value = args[++i];
            if (arg == "--state") {
                options.stateFile = value;
            } else if (arg == "--function-id") {
                if (!IsInteger(value)) {
                    error = "--function-id needs a decimal number";
                    return false;
                }
                options.functionId = value;
            } else if (arg == "--output") {
                options.outputPath = value;
            } else if (arg == "--raw-args") {
                options.rawArgs = value;
            } else {
                const unsigned long seconds =
                    IsInteger(value) && value[0] != '-' && value.size() <= 6
                        ? std::strtoul(value.c_str(), nullptr, 10)
                        : 0;
                if (seconds == 0) {
                    error = "--timeout needs a number of seconds from 1 to 999999";
                    return false;
                }
                options.timeoutSeconds = static_cast<std::uint32_t>(seconds);
            }
        } else if (arg.rfind("--", 0) == 0) {
            error = "unknown option " + arg;
            return false;
        } else if (options.program.empty()) {
            options.program = arg;
        } else {
            error = "more than one program given";
            return false;
        }
    }
    if (options.program.empty()) {
        error = "no program given";
        return false;
    }
    return true;
}

std::string BuildProgramArguments(const SimOptions& options, std::uintptr_t hostWindow,
                                  std::uint32_t messageId) {
    if (options.rawArgs) return *options.rawArgs;
    return std::to_string(hostWindow) + "," + std::to_string(messageId) + "," + options.functionId +
           "," + options.outputPath;
}

std::string BuildChildCommandLine(const SimOptions& options, std::uintptr_t hostWindow,
                                  std::uint32_t messageId) {
    const std::string arguments = BuildProgramArguments(options, hostWindow, messageId);
    std::string line = "\"" + options.program + "\"";
    if (!arguments.empty()) line += " " + arguments;
    return line;
}

std::string FormatSimReport(const SimOutcome& outcome) {
    std::string report = outcome.completionReceived
                             ? "completion function=" + std::to_string(outcome.functionParameter) +
                                   " code=" + std::to_string(outcome.codeParameter) + "\n"
                             : std::string("completion none\n");
    report += std::string("host-window disabled-during-run=") +
              (outcome.disabledDuringRun ? "yes" : "no") +
              " enabled-after=" + (outcome.enabledAfter ? "yes" : "no") + "\n";
    return report;
}

int SimExitCode(const SimOutcome& outcome) {
    if (outcome.timedOut) return kExitTimeout;
    if (!outcome.completionReceived) return kExitNoCompletion;
    return static_cast<int>(outcome.codeParameter);
}

}  // namespace hostsim
