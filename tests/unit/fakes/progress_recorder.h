// A progress window's view that records what reached it; the record
// outlives the view, which the window owns.
#pragma once

#include <string>
#include <vector>

#include "app/progress_window.h"

struct ProgressRecord {
    std::vector<std::string> captions;
    int mainHigh = -1, mainPosition = -1, mainMoves = 0;
    std::vector<int> activityPositions;
    int activityHigh = -1, sweeps = 0, raises = 0, repaints = 0, answers = 0;
    // What the last repaint showed.
    std::string paintedCaption;
    int paintedMainPosition = -1;
    bool destroyed = false;
};

class ProgressRecorder : public ProgressView {
  public:
    explicit ProgressRecorder(ProgressRecord& record) : r_(record) {}
    bool Create() override { return true; }
    void SetParent(WindowRef) override {}
    void Show() override {}
    void Hide() override {}
    void Destroy() override { r_.destroyed = true; }
    WindowRef Window() const override { return nullptr; }
    void SetCaption(const std::string& text) override { r_.captions.push_back(text); }
    void SetMainRange(int, int high) override { r_.mainHigh = high; }
    void SetMainPosition(int position) override {
        r_.mainPosition = position;
        ++r_.mainMoves;
    }
    void SetActivityRange(int, int high) override {
        r_.activityHigh = high;
        ++r_.sweeps;
    }
    void SetActivityPosition(int position) override { r_.activityPositions.push_back(position); }
    void BringToTop() override { ++r_.raises; }
    void BringToForeground() override {}
    void Repaint() override {
        ++r_.repaints;
        r_.paintedCaption = r_.captions.empty() ? "" : r_.captions.back();
        r_.paintedMainPosition = r_.mainPosition;
    }

    void AnswerSentMessages() override { ++r_.answers; }

  private:
    ProgressRecord& r_;
};
