// The footprint widened by as much as every band and disc of the polygon is sure to cover.
//
// Rule: over each edge, a rectangle as high as neither of the edge's two circle polygons falls short of
// along the edge's outward normal (and so no higher than the smaller radius of the edge) lies in the
// edge's band, whose width grows evenly from one radius to the other. At each corner, the two rectangles'
// outer corners lie inside the vertex's circle polygon, which is convex, so the triangle they make with the
// vertex lies in it too. On a convex footprint the rectangles stand outside it without overlapping and the
// triangles fill the corners between them, so the footprint, the rectangles and the triangles make the
// polygon through the outer corners, and it lies in the polygon's region. When that polygon is convex it
// is a part of the union of its own and cuts the other pieces: a cut takes only what lies inside it.
// When it is not (heights that change fast along the outline), every rectangle is cut down to the lowest,
// which makes it convex.
#pragma once

#include <vector>

#include "engine/geometry/convex_shapes.h"

struct WidenedFootprint {
    ConvexShape shape;           // empty when the footprint is not convex or a radius is 0
    std::vector<double> height;  // of the rectangle over each edge, from vertex i to vertex i + 1
    double tallest = 0.0;        // of the rectangles
};

// For the vertices of a convex footprint in either order (orientation +1 when they run counter-clockwise),
// with the band's radius at each vertex.
WidenedFootprint WidenFootprint(const std::vector<Point>& vertices, const ConvexShape& footprint, double orientation,
                                const std::vector<double>& radius);

// For the vertices of a footprint that is not convex: its convex hull widened the same way, when every
// notch the hull spans lies in the disc at one end of the hull's edge over it; else empty.
ConvexShape WidenHull(const std::vector<Point>& vertices, double orientation, const std::vector<double>& radius);

// How far the circle polygon of radius 1 reaches from its centre along a unit direction.
double UnitCircleReach(Point direction);
