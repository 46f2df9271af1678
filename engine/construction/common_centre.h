// A point from which the union of a polygon's discs and bands is star-shaped but for the notches at
// bands' ends, for the walk round it (radial_outline.h).
#pragma once

#include "engine/construction/band_shapes.h"

// A point that every disc of the polygon holds deep enough inside for a walk round it, and every band
// either holds or turns to it only its ends (whose notches the walk cuts back, end_notches.h) and sides
// that lie well inside the discs and bands that hold it: the mean of the vertices or, on a polygon of
// few vertices, a point a little inside one of its edges. False when the candidates have none, as on a
// footprint whose discs are small beside it, or when a vertex has no disc.
bool CommonCentre(const PolygonBands& bands, Point* centre);
