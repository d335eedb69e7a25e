// The progress window's decisions, drawn on a view that records them and
// timed by a clock the tests move by hand.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/progress_window.h"
#include "tests/unit/fakes/progress_recorder.h"

namespace {

using std::chrono::milliseconds;

class ProgressWindowTest : public ::testing::Test {
  protected:
    ProgressRecord seen;
    std::chrono::steady_clock::time_point now{};
    ClProgressWindow window{std::make_unique<ProgressRecorder>(seen), [this] { return now; }};
};

TEST_F(ProgressWindowTest, EveryTenthStepShowsThePercentageAndMeetingRangesRepeatIt) {
    window.StepRange(0, 100);
    ASSERT_EQ(seen.captions.size(), 11u);
    EXPECT_EQ(seen.captions.front(), "集計中 0％");
    EXPECT_EQ(seen.captions.back(), "集計中 10％");
    EXPECT_EQ(seen.mainPosition, 100);

    window.StepRange(100, 200);
    ASSERT_EQ(seen.captions.size(), 22u);
    EXPECT_EQ(seen.captions[11], "集計中 10％");
    EXPECT_EQ(seen.mainPosition, 200);
}

TEST_F(ProgressWindowTest, WholeRunEndsAtOneHundredPercentWithEveryPercentageShown) {
    const int ranges[][2] = {{0, 100},   {100, 200}, {200, 300}, {300, 400},
                             {400, 500}, {500, 600}, {600, 700}, {700, 1000}};
    window.BeginProgress();
    for (const auto& range : ranges) {
        window.StepRange(range[0], range[1]);
        for (int unit = 0; unit < 50; ++unit)
            window.Tick();
    }
    EXPECT_EQ(seen.mainHigh, 1000);
    EXPECT_EQ(seen.mainPosition, 1000);
    EXPECT_EQ(seen.captions.back(), "集計中 100％");
    EXPECT_EQ(seen.paintedCaption, "集計中 100％");
    EXPECT_EQ(seen.paintedMainPosition, 1000);
    EXPECT_EQ(seen.captions.size(), 7 * 11 + 31u) << "shared steps repeat their percentage";
}

TEST_F(ProgressWindowTest, TickSweepsTheActivityBarBackToItsStart) {
    window.Tick();
    EXPECT_EQ(seen.activityHigh, 5);
    // The sixth step passes the end and starts the bar over.
    EXPECT_EQ(seen.activityPositions, (std::vector<int>{0, 1, 2, 3, 4, 5, 0}));
    EXPECT_EQ(seen.repaints, 6) << "each step is drawn";
    EXPECT_GE(seen.raises, 1);
}

// Thousands of Ticks come in bursts; only what a person can see is drawn.
TEST_F(ProgressWindowTest, TicksWithinOneIntervalSweepAtMostOnce) {
    for (int unit = 0; unit < 5000; ++unit)
        window.Tick();
    EXPECT_EQ(seen.sweeps, 1);

    now += ClProgressWindow::kSweepInterval - milliseconds(1);
    window.Tick();
    EXPECT_EQ(seen.sweeps, 1);

    now += milliseconds(1);
    for (int unit = 0; unit < 5000; ++unit)
        window.Tick();
    EXPECT_EQ(seen.sweeps, 2);
    EXPECT_EQ(seen.activityPositions.back(), 0);
}

TEST_F(ProgressWindowTest, BurstOfStepsStillPaintsEveryPercentageAndWhereItStopped) {
    window.BeginProgress();
    window.StepRange(0, 1000);  // within one instant of the clock
    EXPECT_EQ(seen.captions.size(), 101u);
    EXPECT_EQ(seen.sweeps, 1);
    EXPECT_LE(seen.mainMoves, 1 + 101) << "the bar moves when painted, not on every step";
    EXPECT_EQ(seen.paintedMainPosition, 1000);

    window.StepRange(1000, 1005);  // ends between two percentages
    EXPECT_EQ(seen.paintedMainPosition, 1005);
}

// Windows takes a window that answers nothing for 5 s for a hung one. A
// host slow to give each row makes every tick long: each then lets the
// window answer; fast ones let it answer once per interval and no more.
TEST(ProgressWindowAnswers, OncePerIntervalWhateverEachTickCosts) {
    const struct {
        milliseconds apart;
        int ticks;
        int answers;
    } cases[] = {
        {milliseconds(250), 40, 40}, {milliseconds(5), 300, 100}, {milliseconds(0), 5000, 1}};
    for (const auto& c : cases) {
        ProgressRecord seen;
        std::chrono::steady_clock::time_point now{};
        ClProgressWindow window(std::make_unique<ProgressRecorder>(seen), [&now] { return now; });
        for (int tick = 0; tick < c.ticks; ++tick) {
            now += c.apart;
            window.Tick();
        }
        EXPECT_EQ(seen.answers, c.answers) << c.apart.count() << " ms apart";
        EXPECT_EQ(seen.answers, seen.sweeps);
    }
}

TEST(ProgressWindowLifecycle, DestructionDestroysTheWindow) {
    ProgressRecord seen;
    { ClProgressWindow window(std::make_unique<ProgressRecorder>(seen)); }
    EXPECT_TRUE(seen.destroyed);
}

}  // namespace
