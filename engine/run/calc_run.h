// One calculation as its caller and the engine share it: the stop flag the caller sets, the progress the
// engine reports, and the result the engine fills. Each run is its own object, so several can go on at
// once on different threads.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>

#include "engine/run/calc_records.h"

// Receives a run's progress: once with position 0 when the run starts, then after every step.
using ProgressCallback = std::function<void(int32_t position, int32_t total)>;

// The progress counters of one run and the callback they reach. Steps may come from several threads at
// once; the callback sees one position at a time, rising.
class ProgressSink {
  public:
    ProgressSink() = default;
    explicit ProgressSink(ProgressCallback callback) : callback(std::move(callback)) {}

    // Sets the range (clamped to 32 bits, so that a bar cannot wrap) and reports position 0.
    void start(int64_t steps);
    // Steps one by one, unless stopped: once a stop is requested the position stays where it is. Many
    // steps at once take the lock once, which a share of a polygon of a million vertices gives.
    void advance(const std::atomic<uint8_t>& stopRequested, int64_t steps = 1);

    int32_t position() const { return reached.load(); }
    int32_t total() const { return range; }

  private:
    ProgressCallback callback;
    std::mutex lock;
    std::atomic<int32_t> reached{0};
    int32_t range = 0;
};

struct CalcRun {
    CalcRun() = default;
    explicit CalcRun(ProgressCallback callback) : progress(std::move(callback)) {}
    // A run made for a part of a larger one (a structure of an assessment): a stop of the larger run
    // reaches this one too, even midway.
    explicit CalcRun(const CalcRun* whole) : whole(whole) {}
    CalcRun(const CalcRun&) = delete;
    CalcRun& operator=(const CalcRun&) = delete;

    void requestStop() { stopRequested = 1; }
    // Ends the run as failed for want of memory; the stop makes its other threads end soon.
    void markOutOfMemory() {
        outOfMemory = 1;
        stopRequested = 1;
    }
    bool stopped() const { return stopRequested != 0 || (whole && whole->stopped()); }
    void advance(int64_t steps = 1) { progress.advance(stopRequested, steps); }

    // Set by a caller that keeps the cores busy with runs side by side, as an assessment does with its
    // structures: a small drawing's passes then take no thread of their own.
    bool besideOthers = false;
    std::atomic<uint8_t> stopRequested{0};  // set by whoever watches, polled by the calculation
    std::atomic<uint8_t> outOfMemory{0};    // the reason of a failed run: an allocation failed
    ProgressSink progress;
    CalcResult result;  // what the run came to: no contour and zero areas unless it completed

  private:
    const CalcRun* whole = nullptr;
};

// A part of a run's progress steps, handed out as that part of the work advances, so that the bar
// moves evenly whatever the part's work is made of.
class ProgressShare {
  public:
    ProgressShare(CalcRun* run, int64_t steps) : run(run), steps(steps) {}
    // Advances to the given fraction (0 to 1) of the share; never back.
    void reach(double fraction);
    // Advances to the end of the share.
    void finish() { reach(1.0); }

  private:
    CalcRun* run;
    int64_t steps;
    int64_t given = 0;
};
