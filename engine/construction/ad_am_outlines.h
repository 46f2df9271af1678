// The graphic method: the Ad region (the footprint widened by the height projection times the height,
// varying linearly along each edge) and the Am region (the footprint widened by the distance
// projection, less the footprint), their outlines and areas.
#pragma once

#include "engine/checks/polygon_checks.h"
#include "engine/run/calc_run.h"
#include "model/drawing_options.h"

// Checks the input (dropping repeated closing vertices from it; a height above the limit fails), builds
// both outlines, the Ad and the Am pass on two threads, and fills the run's result, reporting to its
// progress sink and polling its stop flag. False when the input fails its check, a stop was requested,
// memory ran out on any thread (the run's outOfMemory then says so) or the clipper failed; the result
// then holds no contour and zero areas. Touches nothing outside the run.
bool ComputeAdAm(CalcInput* input, const CalcOptions& options, CalcRun* run);
