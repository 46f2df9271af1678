// What the calc and svg commands share: their flags, the calculation options of a run, and the run
// itself with its progress bar.
#pragma once

#include <vector>

#include "engine/run/calc_records.h"
#include "engine/run/calc_run.h"
#include "model/drawing.h"

struct CalcFlags {
    bool json = false;
    bool requireNeighbours = false;
    bool quiet = false;
    bool adView = true;
    bool hasHeightProjection = false;
    bool hasDistanceProjection = false;
    double heightProjection = 0.0;
    double distanceProjection = 0.0;
};

// Separates the flags from the other arguments; false, after saying why on standard error, for an
// unknown flag or a value that is not a finite number.
bool ParseCalcFlags(int argc, char** argv, CalcFlags* flags, std::vector<const char*>* arguments);

// The drawing's own options with the flags' overrides, limited as the options dialog limits them.
CalcOptions RunOptions(const CalcOptions& stored, const CalcFlags& flags);

// While it lives, Ctrl+C asks the run to stop instead of ending the program; one at a time.
class StopOnInterrupt {
  public:
    explicit StopOnInterrupt(CalcRun* run);
    ~StopOnInterrupt();
    StopOnInterrupt(const StopOnInterrupt&) = delete;
    StopOnInterrupt& operator=(const StopOnInterrupt&) = delete;

  private:
    void (*previous)(int);
};

// A progress bar on standard error when it is a terminal and the run is not quiet, else no callback.
// shownPercent keeps the bar's state and must outlive the run.
ProgressCallback ProgressBar(bool quiet, int* shownPercent);
// Clears the bar's line, when a bar was drawn.
void ClearProgressBar(bool quiet);

// False, after saying why with the figures, when the drawing's calculation surely cannot fit the memory
// left: known from the counts alone, so it is asked before anything slow.
bool FitsInMemory(const Drawing& source);

// Calculates Ad and Am, drawing a progress bar on standard error when it is a terminal and the run
// is not quiet; Ctrl+C stops it. On failure says on standard error "Error to calculate Ad and Am" (with
// the reason when memory ran out or a height is above the limit), or "stopped".
bool CalculateDrawing(const Drawing& source, const CalcOptions& options, bool quiet, CalcResult* result,
                      double* seconds);

struct ContourCounts {
    int ad = 0, adHoles = 0, am = 0, amHoles = 0;
};
ContourCounts CountContours(const CalcResult& result);
