// One pass of the graphic method over all polygons of a drawing: the footprints, and the trapezoid and
// disc of every band cut down to what can reach the outline, united.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/checks/polygon_checks.h"
#include "engine/clipper/clipper.h"
#include "engine/construction/band_shapes.h"
#include "engine/run/calc_run.h"
#include "model/drawing_options.h"

enum class RunOutcome { Completed, Stopped, Failed };

// The footprints as parts for a union: each contour as it is, or in its normal form when the polygon
// passes twice through a vertex and so winds the other way in one of its lobes.
bool FootprintParts(const CalcInput& input, std::vector<ClipPolygon>* parts);

// The region of a pass, the union of every polygon with the bands of its edges, as at most a few regions
// side by side, which may overlap: a last sweep of the caller's unites them. Or, when finished comes
// back true, the region already in strictly simple form, one contour that holds every footprint well
// inside it, which needs no sweep. Hands out progressSteps steps of the run as it goes, and gives up when
// a stop of the run is requested.
RunOutcome BuildPassOutline(CalcPass pass, const CalcOptions& options, const CalcInput& input,
                            const std::vector<ClipPolygon>& footprints, int64_t progressSteps, CalcRun* run,
                            ClipPolygon* outline, bool* finished);
