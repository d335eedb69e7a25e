#include <gtest/gtest.h>

#include "hostsim/host_sim_options.h"

namespace {

using hostsim::SimOptions;

TEST(HostSimOptions, DefaultsBuildTheHostsCommandLine) {
    SimOptions options;
    std::string error;
    ASSERT_TRUE(hostsim::ParseSimOptions({"C:\\bin\\Prog.exe"}, options, error)) << error;
    EXPECT_EQ(hostsim::BuildChildCommandLine(options, 65636, 49300),
              "\"C:\\bin\\Prog.exe\" 65636,49300,2,");
    EXPECT_EQ(options.timeoutSeconds, 120u);
}

TEST(HostSimOptions, EveryOptionTakesEffect) {
    SimOptions options;
    std::string error;
    ASSERT_TRUE(
        hostsim::ParseSimOptions({"--state", "Z:\\s.json", "--function-id", "-1", "--output",
                                  "C:\\o u t\\a,b.xml", "--timeout", "5", "P.exe"},
                                 options, error))
        << error;
    EXPECT_EQ(*options.stateFile, "Z:\\s.json");
    EXPECT_EQ(options.timeoutSeconds, 5u);
    EXPECT_EQ(hostsim::BuildProgramArguments(options, 1, 2), "1,2,-1,C:\\o u t\\a,b.xml");
    ASSERT_TRUE(hostsim::ParseSimOptions({"--raw-args", "1,2", "P.exe"}, options, error));
    EXPECT_EQ(hostsim::BuildChildCommandLine(options, 1, 2), "\"P.exe\" 1,2");
    ASSERT_TRUE(hostsim::ParseSimOptions({"--raw-args", "", "P.exe"}, options, error));
    EXPECT_EQ(hostsim::BuildChildCommandLine(options, 1, 2), "\"P.exe\"");
}

TEST(HostSimOptions, UsageErrors) {
    SimOptions options;
    std::string error;
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{},
                                               {"--state"},
                                               {"--function-id", "x", "P.exe"},
                                               {"--timeout", "0", "P.exe"},
                                               {"--timeout", "-3", "P.exe"},
                                               {"--bogus", "P.exe"},
                                               {"A.exe", "B.exe"}}) {
        error.clear();
        EXPECT_FALSE(hostsim::ParseSimOptions(args, options, error));
        EXPECT_FALSE(error.empty());
    }
}

TEST(HostSimOptions, ReportLinesAndExitCodes) {
    hostsim::SimOutcome outcome;
    outcome.completionReceived = true;
    outcome.functionParameter = -1;
    outcome.codeParameter = 1;
    outcome.disabledDuringRun = true;
    outcome.enabledAfter = true;
    EXPECT_EQ(hostsim::FormatSimReport(outcome),
              "completion function=-1 code=1\n"
              "host-window disabled-during-run=yes enabled-after=yes\n");
    EXPECT_EQ(hostsim::SimExitCode(outcome), 1);
    outcome.timedOut = true;
    EXPECT_EQ(hostsim::SimExitCode(outcome), hostsim::kExitTimeout);
    hostsim::SimOutcome none;
    EXPECT_EQ(hostsim::FormatSimReport(none),
              "completion none\nhost-window disabled-during-run=no enabled-after=no\n");
    EXPECT_EQ(hostsim::SimExitCode(none), hostsim::kExitNoCompletion);
}

}  // namespace
