// The region of one polygon walked as the farthest boundary seen along each ray from one point, which
// every disc of the polygon holds.
//
// Rule: a convex shape holding the point O is star-shaped from O, so the union of such shapes is too,
// and along every ray from O it reaches exactly as far as the farthest of them. A convex shape that does
// not hold O adds to that only beyond where a ray enters it; where each of its sides that O faces lies
// in shapes that hold O, the ray is held from O up to there, and the union stays star-shaped. The
// footprint adds nothing to that union: each of its edges lies inside the band and the two discs of the
// edge, so its boundary lies inside the union, which has no hole to hold anything else. The outline is
// thus the upper envelope, seen from O, of the shapes' edges, and an edge (or part of one) that lies well
// inside a shape of the union cannot be on it and is left out. The walk costs what the outline costs: it
// looks at each direction's few edges that can reach farthest, not at every disc's 2500.
#pragma once

#include <vector>

#include "engine/construction/band_shapes.h"
#include "engine/run/calc_run.h"

// The outline, counter-clockwise, of the union of the polygon's shapes, walked round a common centre
// (common_centre.h), with the notches at bands' ends cut back (end_notches.h);
// false, and nothing written, when the walk meets a direction it cannot settle in floating point, or when
// the run is stopped.
bool WalkRound(const PolygonBands& bands, Point centre, const CalcRun& run, std::vector<Point>* ring);
