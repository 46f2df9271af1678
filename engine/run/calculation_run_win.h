// A calculation of the whole drawing on worker threads behind the modal "Calculation..." dialog.
#pragma once

#include <windows.h>

#include "engine/run/calc_records.h"
#include "model/drawing.h"

enum class CalcOutcome { NotRun, Completed, Stopped, Failed };

// Asks whether to go on with polygons that do not form one footprint, then calculates while the
// progress dialog is up. Only a completed run fills result; any other leaves no contour and zero areas.
// A failure is told in a message box; a stop the user asked for is not a failure and is told by no box.
CalcOutcome StartCalculation(HWND owner, const Drawing& source, CalcResult* result);

// False, without a word, for a drawing with no polygons; asks when the polygons are not neighbours.
bool ConfirmNeighbours(HWND owner, const Drawing& source);
