// The rules the Draw options dialog applies before it stores anything.
#pragma once

#include <cstdint>

#include "model/drawing_options.h"

// True when the grid would be 2 pixels or closer: the snap step over the zoom value is above 0 and at
// most 0.2. No snapping is always accepted.
bool SnapZoomRefused(int32_t snapIndex, int32_t zoomIndex);

// The map size stored for a typed value: its absolute value, and 100 m when that is less.
double MapSizeRule(double value);

// The options with the snap step made coarser where the grid would otherwise be refused at their zoom,
// rather than the view made smaller.
DrawOptions WithUsableGrid(DrawOptions options);

// Save in the Draw options dialog from the choices it holds: false, storing nothing, when the snap and
// zoom chosen are refused. Otherwise the step and the zoom are stored, snapping only with a step, and
// the map size when its text is a decimal (the choice keeps the value typed, the drawing the rule's).
bool StoreDrawOptions(DrawOptions* stored, DrawOptions* choice, char* mapSizeText);
