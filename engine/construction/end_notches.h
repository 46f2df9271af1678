// The ends of bands that turn to the centre of a walk (common_centre.h), and the notches where they
// poke out of their vertices' circle polygons.
//
// Rule: a band's end at a vertex stands on the perpendicular through it, its two corners on the vertex's
// true circle. The circle polygon holds all of the end but a bit at each corner, shorter than the
// polygon falls short of its circle, unless the corner is one of the polygon's points (an edge along an
// axis). A band that does not hold the centre and turns such an end to it is entered there by rays that
// left the polygon just before: past the polygon's edge and short of the end lies a thin notch outside
// the union, which the walk, taking the farthest boundary along each ray, fills. Where a corner is on
// the walked outline, the outline must go down the end to the polygon's edge and on along it.
#pragma once

#include <cstddef>
#include <vector>

#include "engine/construction/band_shapes.h"

// Whether the side of band i from a to b is one of its ends, at vertex *vertex, of a radius above 0.
bool BandEndAt(const PolygonBands& bands, size_t i, Point a, Point b, size_t* vertex);

// Cuts each notch back into the ring walked round centre, at every corner of a band's end that the
// centre faces: the ring then runs from the corner down the end to the vertex's circle polygon and on
// along its edge. False when a corner cannot be settled so: another shape comes near it, the ring does
// not go on along that edge there, or the corner is off the ring and no one shape holds its notch.
bool CutEndNotches(const PolygonBands& bands, Point centre, std::vector<Point>* ring);
