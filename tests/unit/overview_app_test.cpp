// The application object's start and end against the stand-in, with a
// desktop that records what the program did to the host's window.
#include <gtest/gtest.h>

#include "app/overview_app.h"
#include "tests/unit/host_fixture.h"

namespace {

struct Post {
    WindowRef window;
    std::uint32_t message;
    std::intptr_t first;
    std::intptr_t second;
};

class RecordingDesktop : public Desktop {
  public:
    std::string commandLine;
    std::vector<std::string> events;
    std::vector<Post> posts;
    bool commandLineRead = false;

    std::string CommandLine() override {
        commandLineRead = true;
        return commandLine;
    }
    void EnableWindow(WindowRef window, bool enable) override {
        events.push_back((enable ? "enable " : "disable ") + Id(window));
    }
    void BringToForeground(WindowRef window) override {
        events.push_back("foreground " + Id(window));
    }
    void PostMessageTo(WindowRef window, std::uint32_t message, std::intptr_t first,
                       std::intptr_t second) override {
        events.push_back("post " + Id(window));
        posts.push_back({window, message, first, second});
    }

  private:
    static std::string Id(WindowRef window) {
        return std::to_string(reinterpret_cast<std::uintptr_t>(window));
    }
};

class OverviewAppStart : public HostFixture {
  protected:
    void Run() {
        ClOverviewApp app(desktop);
        app.InitInstance();
        app.ExitInstance();
    }
    RecordingDesktop desktop;
};

TEST_F(OverviewAppStart, LaunchedByHostDisablesThenReEnablesAndPostsTheCode) {
    WriteState(kSampleState);
    desktop.commandLine = "4242,49200,-1,C:\\out\\x.xml";
    Run();
    EXPECT_EQ(desktop.events,
              (std::vector<std::string>{"disable 4242", "foreground 4242", "enable 4242",
                                        "post 4242", "enable 4242"}));
    ASSERT_EQ(desktop.posts.size(), 1u);
    EXPECT_EQ(desktop.posts[0].message, 49200u);
    EXPECT_EQ(static_cast<std::uintptr_t>(desktop.posts[0].first), UINTPTR_MAX)
        << "function id -1 arrives with all bits set";
    EXPECT_EQ(desktop.posts[0].second, 1);
    const auto journal = JournalLines();
    const std::vector<std::string> expected = {
        "set MessageTitle",     "SetClientKind 4", "SetDataUsage 1", "Connect",
        "set OwnerWindow 4242", "SignOut",         "Disconnect",     "ReleaseInstance"};
    EXPECT_EQ(journal, expected);
}

TEST_F(OverviewAppStart, IncompleteCommandLineLeavesTheHostAlone) {
    WriteState(kSampleState);
    desktop.commandLine = "4242,49200,";
    Run();
    EXPECT_TRUE(desktop.events.empty());
    const auto journal = JournalLines();
    EXPECT_EQ(std::count(journal.begin(), journal.end(), "set OwnerWindow 4242"), 0);
    EXPECT_EQ(journal.back(), "ReleaseInstance");
}

TEST_F(OverviewAppStart, RefusedConnectEndsSilentlyButStillSignsOut) {
    WriteState(R"("results": {"connect": 2})");
    desktop.commandLine = "4242,49200,2,";
    Run();
    EXPECT_FALSE(desktop.commandLineRead);
    EXPECT_TRUE(desktop.events.empty());
    EXPECT_EQ(JournalLines(),
              (std::vector<std::string>{"set MessageTitle", "SetClientKind 4", "SetDataUsage 1",
                                        "Connect", "SignOut", "Disconnect", "ReleaseInstance"}));
}

}  // namespace
