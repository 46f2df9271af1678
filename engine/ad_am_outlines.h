// The graphic method: the Ad region (the footprint widened by the height projection times the height,
// varying linearly along each edge) and the Am region (the footprint widened by the distance
// projection, less the footprint), their outlines and areas.
#pragma once

#include "engine/band_shapes.h"
#include "engine/calc_records.h"
#include "engine/clipper.h"
#include "engine/polygon_checks.h"
#include "model/drawing_options.h"

enum class RunOutcome { Completed, Stopped, Failed };

// Checks the input (dropping repeated closing vertices from it), builds both outlines and fills
// result. False when the input fails its check, the user stopped the run or the clipper failed; the
// result then holds no contour and zero areas.
bool ComputeAdAm(CalcInput* input, const CalcOptions& options, CalcResult* result);

// The region of one polygon in a pass: the polygon united with the band of each edge. Advances the
// progress 2n + 2 times and gives up between bands when a stop is requested.
RunOutcome PolygonOffsetRegion(CalcPass pass, const CalcOptions& options, const CalcPolygon& polygon,
                               ClipPolygon* region);

// The union of the footprints of all polygons of the input.
bool FootprintUnion(const CalcInput& input, ClipPolygon* footprints);

// Removes every polygon of the input from the Am outline, leaving it strictly simple (holes and the
// islands in them as contours of their own); false for an empty input.
bool SubtractFootprints(ClipPolygon* outline, const CalcInput& input);
