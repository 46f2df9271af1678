// The rules the Draw options dialog applies before it stores anything.
#pragma once

#include <cstdint>

// True when the grid would be 2 pixels or closer: the snap step over the zoom value is above 0 and at
// most 0.2. No snapping is always accepted.
bool SnapZoomRefused(int32_t snapIndex, int32_t zoomIndex);

// The map size stored for a typed value: its absolute value, and 100 m when that is less.
double MapSizeRule(double value);
