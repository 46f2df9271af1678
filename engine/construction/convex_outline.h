// The outline of a lone convex polygon whose discs all have one radius, built from its discs in the order
// they stand round it, at a cost that follows the outline rather than the discs.
//
// Rule: outside a convex footprint each point lies either beside an edge, nearest to a point of it, or
// in the corner of a vertex, between the outward normals of its two edges. Every shape lies within the
// radius r of the footprint, so beside an edge the union reaches exactly the outer side of the edge's
// band. The outer halves of the bands stand beside their own edges; their inner halves, where they leave
// a footprint wide enough (which is checked), stay within the circle polygon's inner circle of it, inside
// the union. In a vertex's corner the circle polygon of the vertex holds everything nearer than its inner
// circle, and beyond it only discs whose centres lie within r sin(1.6208 degrees) of the vertex reach; all
// of them hold the vertex, so there the union is the farthest boundary seen from the vertex. The discs are
// translates of one convex polygon round centres in convex position, so the outer boundary of their
// union runs through each disc once, in the order of the vertices, from its outer crossing with the disc
// before to its outer crossing with the disc after (each crossing point lies outside every other disc).
// The outline runs along each band's outer side, down the band's end to that boundary, along it through
// the vertex's corner, and up the next band's start.
#pragma once

#include "engine/clipper/clipper.h"
#include "engine/construction/band_shapes.h"
#include "engine/run/calc_run.h"

// The outline in the clipper's strictly simple form; false, and nothing written, when the polygon is not
// strictly convex, its radii differ or are 0, the footprint is narrow beside them, a step cannot be settled
// in floating point, or the run is stopped.
bool ConvexOutline(const PolygonBands& bands, const CalcRun& run, ClipContour* contour);
