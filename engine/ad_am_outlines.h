// The graphic method: the Ad region (the footprint widened by the height projection times the height,
// varying linearly along each edge) and the Am region (the footprint widened by the distance
// projection, less the footprint), their outlines and areas.
#pragma once

#include "engine/calc_records.h"
#include "engine/polygon_checks.h"
#include "model/drawing_options.h"

// Checks the input (dropping repeated closing vertices from it; a height above the limit fails), builds both outlines,
// the Ad and the Am pass on two threads, and fills result. False when the input fails its check, the user stopped the
// run or the clipper failed; the result then holds no contour and zero areas.
bool ComputeAdAm(CalcInput* input, const CalcOptions& options, CalcResult* result);
