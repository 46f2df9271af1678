// The limits every entry of a calculation option goes through, wherever it is typed.
#pragma once

#include "engine/drawing_change.h"
#include "model/drawing.h"

// The absolute value, raised to at least 1.0.
double LimitHeightProjection(double value);

// The absolute value in metres, raised to at least 0.01.
double LimitDistanceProjection(double value);

// Save in the calculation options dialog: both texts must be decimals (else refused, and the dialog shows
// the values it opened with). Each value goes through its limit; an actual change discards the results
// and, since the drawing file keeps the options, marks an open drawing modified.
SaveOutcome StoreCalcOptionTexts(Drawing* target, char* heightText, char* distanceText);
