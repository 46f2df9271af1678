// The rules the Draw options dialog applies before it stores anything.
#pragma once

#include <cstdint>
#include <string>

#include "model/drawing_change.h"
#include "model/drawing_options.h"
#include "text/number_field.h"

// The map reaches well past the largest import (200 km of footprints and their margins) and stays far
// inside the scroll range.
constexpr double MaxMapSize = 1000000.0;  // metres
constexpr NumberRange MapSizeRange = {"Draw map size [m]", MinMapSize, MaxMapSize};

// The fields of the dialog, as a Refusal numbers them: the snap step and the zoom are refused together.
enum DrawOptionField { GridField, MapSizeField };

// True when the grid would be 2 pixels or closer: the snap step over the zoom value is above 0 and at
// most 0.2. No snapping is always accepted.
bool SnapZoomRefused(int32_t snapIndex, int32_t zoomIndex);

// The map size as the dialog shows it, in whole metres; left untouched, it stands for the size itself.
std::string MapSizeText(double mapSize);

// The options with the snap step made coarser where the grid would otherwise be refused at their zoom,
// rather than the view made smaller.
DrawOptions WithUsableGrid(DrawOptions options);

// Save in the Draw options dialog from the choices it holds: refused, storing nothing, when the snap and
// zoom chosen make too dense a grid or the map size is no number of its range. Otherwise the step, the
// zoom, snapping (only with a step) and the map size are stored; Changed when any but the zoom differs.
SaveOutcome StoreDrawOptions(DrawOptions* stored, const DrawOptions& choice, const char* mapSizeText,
                             Refusal* refusal = nullptr);
