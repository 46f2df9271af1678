// Which assessment the Structures window may show: the rows belong to the drawing state they were
// calculated from and are shown for that state only, whichever way the drawing changed since, and a
// run begun for an older state never brings its result back.
#pragma once

#include <cstdint>
#include <vector>

#include "assessment/assessment_records.h"
#include "model/drawing.h"

enum class ListingState {
    NoDrawing,    // nothing open: no rows
    Calculating,  // a run of the drawing as it is now goes on
    Current,      // the rows are the drawing's as it is now
    Stopped,      // the last run was stopped: the structures it had not reached are blank
    OutOfDate,    // the drawing changed and a calculation takes too long to repeat unasked
};

// What to do once the drawing changed.
enum class ChangeAction { Nothing, Recalculate, WaitUntilAsked };

// A run that took longer than this (seconds) is not repeated after every change: the rows are marked
// out of date until the user asks, so that editing a large site stays fluid.
constexpr double LongestAutomaticRun = 1.0;

class StructureListing {
  public:
    // A run of the drawing as it is now begins; its ticket is the only one whose result is taken from
    // now on. The rows shown until then are dropped.
    int64_t begin(const Drawing& source);

    // A run ended after the seconds given. Its result is kept when its ticket is the last begun and the
    // drawing is still the state it was begun from; false when it was refused.
    bool finish(int64_t ticket, AssessmentResult result, bool stopped, double seconds, const Drawing& now);

    // After the drawing may have changed; secondsRunning is how long a run still going has taken so far.
    // A drawing still in the state of the rows (or of the run) changes nothing; otherwise the rows
    // are dropped (out of date) and the answer says whether to begin a run at once or to wait until
    // asked: wait after a run that took too long or that the user stopped, unless nothing was listed.
    ChangeAction changed(const Drawing& now, double secondsRunning = 0.0);

    void clear();

    ListingState state() const { return current; }
    // The rows of the state they belong to; none unless Current or Stopped.
    const AssessmentResult* rows() const;
    int64_t runningTicket() const { return current == ListingState::Calculating ? ticket : 0; }

  private:
    std::vector<uint8_t> stateOf;  // the drawing's bytes that the rows or the run belong to
    AssessmentResult result;
    ListingState current = ListingState::NoDrawing;
    int64_t ticket = 0;
    double lastSeconds = 0.0;
    bool lastStopped = false;
};
