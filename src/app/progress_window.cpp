#include "app/progress_window.h"

#include <algorithm>
#include <cstdio>
#include <utility>

namespace {

constexpr int kActivityLow = 0;
constexpr int kActivityHigh = 5;
// One step more than the range holds, so that a sweep ends where it began.
constexpr int kActivityStepsPerSweep = 6;

std::string CaptionForStep(int step) {
    char caption[32];
    std::snprintf(caption, sizeof caption, "集計中 %d％", step / 10);
    return caption;
}

// A step past the end starts the bar over, as the control itself would.
int NextActivityPosition(int position) {
    return position >= kActivityHigh ? kActivityLow : position + 1;
}

}  // namespace

ClProgressWindow::ClProgressWindow(std::unique_ptr<ProgressView> view, ProgressClock clock)
    : view_(std::move(view)), clock_(std::move(clock)) {
    if (!clock_) clock_ = [] { return std::chrono::steady_clock::now(); };
}

ClProgressWindow::~ClProgressWindow() {
    view_->Destroy();
}

int ClProgressWindow::Create() {
    return view_->Create() ? 1 : 0;
}

void ClProgressWindow::SetParent(WindowRef parent) {
    view_->SetParent(parent);
}

void ClProgressWindow::Show() {
    view_->Show();
}

void ClProgressWindow::Hide() {
    view_->Hide();
}

void ClProgressWindow::Destroy() {
    view_->Destroy();
}

WindowRef ClProgressWindow::Window() const {
    return view_->Window();
}

void ClProgressWindow::BeginProgress() {
    view_->SetMainRange(0, kMainSteps);
    mainPosition_ = 0;
    ShowMainPosition();
}

void ClProgressWindow::StepRange(int from, int to) {
    if (from > to) return;
    for (int step = from;; ++step) {
        // A new percentage and the end of a range are always painted, so
        // the caption never skips a value and the bar stops where it is.
        bool mustPaint = step == to;
        if (step % 10 == 0) {
            view_->SetCaption(CaptionForStep(step));
            mustPaint = true;
        }
        mainPosition_ = step;
        Tick();
        if (mustPaint || SweepDue()) Paint();
        if (step == to) break;  // not ++step past to: to may be INT_MAX
    }
}

void ClProgressWindow::Tick() {
    // A tick can be a few nanoseconds of work: reading the clock on every
    // one would cost more than the work itself. A tick that takes long must
    // not wait for 63 more before the window answers again.
    if (++ticksSinceClock_ < ticksPerClockRead_ && lastPaint_) return;
    ticksSinceClock_ = 0;
    const auto now = clock_();
    const bool fast = lastClockRead_ && now - *lastClockRead_ < kFastBatch;
    ticksPerClockRead_ = fast ? std::min(ticksPerClockRead_ * 2, kMaxTicksPerClockRead) : 1;
    lastClockRead_ = now;
    if (SweepDue()) Sweep();
}

bool ClProgressWindow::SweepDue() const {
    return !lastPaint_ || clock_() - *lastPaint_ >= kSweepInterval;
}

// The six steps are drawn one by one: they are what shows that work goes
// on. Raising the window once is enough, as nothing else runs in between.
void ClProgressWindow::Sweep() {
    ShowMainPosition();
    view_->SetActivityRange(kActivityLow, kActivityHigh);
    int position = kActivityLow;
    view_->SetActivityPosition(position);
    view_->BringToTop();
    view_->BringToForeground();
    for (int i = 0; i < kActivityStepsPerSweep; ++i) {
        position = NextActivityPosition(position);
        view_->SetActivityPosition(position);
        view_->Repaint();
    }
    // As often as the sweeps and no more: a look at the queue is cheap, but
    // not at every row.
    view_->AnswerSentMessages();
    MarkPainted();
}

void ClProgressWindow::Paint() {
    ShowMainPosition();
    view_->Repaint();
    MarkPainted();
}

// The main bar moves only when it is painted: moving it paints it at once
// on some systems, which for every step costs more than the work itself.
void ClProgressWindow::ShowMainPosition() {
    if (shownMainPosition_ == mainPosition_) return;
    view_->SetMainPosition(mainPosition_);
    shownMainPosition_ = mainPosition_;
}

// Measured after painting, so that slow painting cannot take up the whole
// interval and leave the work no time.
void ClProgressWindow::MarkPainted() {
    lastPaint_ = clock_();
}
