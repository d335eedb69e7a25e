// The small window that shows how far the aggregation and the report have
// come: a main bar over the whole run with the percentage in the caption,
// and an activity bar that sweeps on every unit of work. The work runs on
// the window's own thread and drives it by direct calls.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "model/progress_sink.h"
#include "platform/desktop.h"

// What the progress window draws on. The Win32 dialog implements it; tests
// record the calls, and logic tests that only need something to call use
// NullProgressView.
class ProgressView {
  public:
    virtual ~ProgressView() = default;

    // Creates the window hidden and without a parent; false on failure.
    virtual bool Create() = 0;
    virtual void SetParent(WindowRef parent) = 0;
    virtual void Show() = 0;
    virtual void Hide() = 0;
    // Destroys the window; nothing happens when there is none.
    virtual void Destroy() = 0;
    virtual WindowRef Window() const = 0;

    // The caption, in code page 932.
    virtual void SetCaption(const std::string& text) = 0;
    virtual void SetMainRange(int low, int high) = 0;
    virtual void SetMainPosition(int position) = 0;
    virtual void SetActivityRange(int low, int high) = 0;
    virtual void SetActivityPosition(int position) = 0;
    virtual void BringToTop() = 0;
    virtual void BringToForeground() = 0;
    // Paints now: nothing else will, since the work blocks the message loop.
    virtual void Repaint() = 0;
    // Lets the messages other programs and the system sent to the window be
    // answered, taking no input off the queue, so that the window is never
    // taken for one that has stopped responding.
    virtual void AnswerSentMessages() = 0;
};

class NullProgressView final : public ProgressView {
  public:
    bool Create() override { return true; }
    void SetParent(WindowRef) override {}
    void Show() override {}
    void Hide() override {}
    void Destroy() override {}
    WindowRef Window() const override { return nullptr; }
    void SetCaption(const std::string&) override {}
    void SetMainRange(int, int) override {}
    void SetMainPosition(int) override {}
    void SetActivityRange(int, int) override {}
    void SetActivityPosition(int) override {}
    void BringToTop() override {}
    void BringToForeground() override {}
    void Repaint() override {}
    void AnswerSentMessages() override {}
};

// The Win32 dialog (progress_window_win.cpp, Windows builds only).
std::unique_ptr<ProgressView> CreateProgressDialogView();

// The time the window measures its updates by; tests pass a fake.
using ProgressClock = std::function<std::chrono::steady_clock::time_point()>;

class ClProgressWindow : public ProgressSink {
  public:
    // The main bar runs over this many steps in one run.
    // Sweeps closer together than this cannot be seen, only paid for:
    // Tick comes for every row and item, thousands of times per run.
    static constexpr std::chrono::milliseconds kSweepInterval{15};

    // No window yet. Without a clock the steady clock is used.
    explicit ClProgressWindow(std::unique_ptr<ProgressView> view, ProgressClock clock = nullptr);
    ClProgressWindow(const ClProgressWindow&) = delete;
    ClProgressWindow& operator=(const ClProgressWindow&) = delete;
    // Destroys the window.
    ~ClProgressWindow() override;

    // Creates the window hidden and without a parent: 1 on success, else 0.
    int Create();
    void SetParent(WindowRef parent);
    void Show();
    // Hidden, the window stays valid as the owner of the final message box.
    void Hide();
    void Destroy();
    WindowRef Window() const;

    // Main bar from 0 to kMainSteps, at 0.
    void BeginProgress();
    // Walks the main bar over the steps from..to, both included; every
    // tenth step shows the percentage in the caption.
    void StepRange(int from, int to) override;
    // One sweep of the activity bar, which also raises the window to the
    // front and lets it answer what was sent to it; skipped while the
    // window was painted less than kSweepInterval ago. The bar is at the
    // start of its range after every Tick.
    void Tick() override;

  private:
    bool SweepDue() const;
    void Sweep();
    void Paint();
    void ShowMainPosition();
    void MarkPainted();

    std::unique_ptr<ProgressView> view_;
    ProgressClock clock_;
    int mainPosition_ = 0;
    std::optional<int> shownMainPosition_;
    // When the window was last painted; none before the first paint.
    std::optional<std::chrono::steady_clock::time_point> lastPaint_;
    // Ticks that come fast are counted in batches of up to
    // kMaxTicksPerClockRead between readings of the clock; one that takes
    // long (a host slow to give each row) reads it every time.
    static constexpr int kMaxTicksPerClockRead = 64;
    static constexpr std::chrono::milliseconds kFastBatch{1};
    int ticksPerClockRead_ = 1;
    int ticksSinceClock_ = 0;
    std::optional<std::chrono::steady_clock::time_point> lastClockRead_;
};
