// What the aggregation and the report tell the progress window: ranges of
// the main bar's 1000 steps, and a tick per unit of work.
#pragma once

class ProgressSink {
  public:
    static constexpr int kMainSteps = 1000;

    virtual ~ProgressSink() = default;
    virtual void StepRange(int from, int to) = 0;
    virtual void Tick() = 0;
};
