// A point that every disc and band of a polygon holds, for the walk round it (radial_outline.h).
#pragma once

#include "engine/construction/band_shapes.h"

// A point that every disc and band of the polygon holds deep enough inside for a walk round it: the mean
// of the vertices or, on a polygon of few vertices, a point a little inside one of its edges. False when
// the candidates have none, as on an L-shaped footprint, whose notch's bands hold no common point, or
// when a vertex has no disc.
bool CommonCentre(const PolygonBands& bands, Point* centre);
