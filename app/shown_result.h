// The result the main window shows. It keeps the input and options it was calculated from and counts as
// the drawing's result only while the drawing still gives exactly those, so that no result of another
// drawing, or of this one before a change, is ever shown, whichever way the change came.
#pragma once

#include "engine/run/calc_records.h"
#include "model/drawing.h"

class ShownResult {
  public:
    // The result of the drawing as it is now, or an empty one (no contour, zero areas).
    const CalcResult& of(const Drawing& source) const;
    bool has(const Drawing& source) const { return of(source).contourCount != 0; }

    // Keeps a completed run's result for the input and options it was calculated from.
    void accept(CalcInput input, const CalcOptions& options, CalcResult result);
    void discard();

  private:
    CalcInput input;
    CalcOptions options;
    CalcResult result;
};
