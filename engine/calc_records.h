// The one result of the last Ad/Am calculation, and the run state a calculation shares with whoever
// watches it: the stop flag and the progress counters.
#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "engine/geometry.h"

struct CalcVertex {
    double x;
    double y;
    double height;
};

struct CalcPolygon {
    std::vector<CalcVertex> vertices;  // the vertex count is the size; the checks may drop a closing repeat
};

// The polygon list of the checks and the calculation: a copy, so that neither ever changes the drawing.
struct CalcInput {
    std::vector<CalcPolygon> polygons;
};

struct CalcResult {
    int32_t contourCount = 0;        // 0 means no result
    std::vector<int32_t> holeFlags;  // 1: the contour is a hole and its area counts negative
    std::vector<uint8_t> adFlags;    // 1: Ad outline, 0: Am outline; Ad contours come first
    std::vector<std::vector<Point>> contours;
    double ad = 0.0;  // km^2
    double am = 0.0;  // km^2
};

extern CalcResult calcResult;

// Marks the result stale so that the next View calculates again; the arrays wait for the next run.
void DiscardResults();

// No contour and zero areas, as a failed or stopped run leaves the result.
void ClearResult(CalcResult* result);

extern uint8_t resultsValid;                // set only when a calculation completed
extern std::atomic<uint8_t> stopRequested;  // set by the user's Close, polled by the calculation
extern std::atomic<int32_t> progressPosition;
extern int32_t progressTotal;

// Receives the progress: once with position 0 when a run starts, then after every step. Installed by
// the caller (the progress dialog, the command-line bar, a test); none by default.
using ProgressSink = void (*)(int32_t position, int32_t total);
void SetProgressSink(ProgressSink sink);

void InitProgress(const CalcInput& input);
// One step; safe from several threads at once, each step reaching the sink in order. Once a stop is
// requested the position stays where it is.
void AdvanceProgress();

// A part of a run's progress steps, handed out as that part of the work advances, so that the bar
// moves evenly whatever the part's work is made of.
class ProgressShare {
  public:
    explicit ProgressShare(int64_t steps) : steps(steps) {}
    // Advances to the given fraction (0 to 1) of the share; never back.
    void reach(double fraction);
    // Advances to the end of the share.
    void finish() { reach(1.0); }

  private:
    int64_t steps;
    int64_t given = 0;
};
