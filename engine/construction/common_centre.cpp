#include "engine/construction/common_centre.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

#include "engine/geometry/convex_shapes.h"

namespace {

// The centre must lie this deep in every disc, as a share of its radius. A ray from it then meets the
// circle polygon at most 0.0004 r short of the true circle and at most 72 degrees from its normal, which
// turns the hit by at most 0.022 degrees about the disc's centre, less than the polygon's least step of
// 0.14 degrees: the polygon's edge on the ray lies within one point of the true circle's hit.
constexpr double CentreDepth = 0.95;
constexpr double CentreClearance = 1e-3;  // m, the least depth of the centre inside every shape
// Above this, only the mean of the vertices is tried: each candidate is tested against every shape.
constexpr size_t MostVerticesForCandidates = 64;

// The mean of the vertices: the centre of a round building, and well inside any compact footprint.
Point VertexMean(const std::vector<Point>& vertices) {
    Point sum{0.0, 0.0};
    for (Point v : vertices)
        sum = {sum.x + v.x - vertices[0].x, sum.y + v.y - vertices[0].y};
    double n = static_cast<double>(vertices.size());
    return {vertices[0].x + sum.x / n, vertices[0].y + sum.y / n};
}

bool DiscHolds(const PolygonBands& bands, size_t vertex, Point p) {
    double r = bands.radius[vertex], distance = Distance(bands.vertices[vertex], p);
    return r > 0.0 && distance <= CentreDepth * r && CircleInnerRadius * r - distance >= CentreClearance;
}

// Well inside: the band's sides moved in by the clearance still hold the point.
bool BandHolds(const PolygonBands& bands, size_t edge, Point p) {
    for (const Trapezoid::Side& side : bands.trapezoids[edge].sides)
        if (!(side.nx * p.x + side.ny * p.y > side.limit + CentreClearance))
            return false;
    return true;
}

bool HoldsAll(const PolygonBands& bands, Point p) {
    for (size_t i = 0; i < bands.vertices.size(); i++)
        if (!DiscHolds(bands, i, p) || !BandHolds(bands, i, p))
            return false;
    return true;
}

}  // namespace

// The mean of the vertices, then on a polygon of few vertices each edge's midpoint and points inside it, a
// quarter, a half and a whole of its length and half its smaller radius in: on a footprint drawn off
// centre, such as an obtuse triangle, one of them may lie in every band when the mean does not.
bool CommonCentre(const PolygonBands& bands, Point* centre) {
    const std::vector<Point>& v = bands.vertices;
    size_t n = v.size();
    if (n < 3)
        return false;
    Point mean = VertexMean(v);
    if (HoldsAll(bands, mean)) {
        *centre = mean;
        return true;
    }
    for (size_t i = 0; i < n && n <= MostVerticesForCandidates; i++) {
        Point a = v[i], b = v[(i + 1) % n];
        double length = Distance(a, b);
        if (!(length > 0.0))
            continue;
        Point middle{(a.x + b.x) / 2, (a.y + b.y) / 2};
        // Left of the edge is inside for counter-clockwise vertices.
        Point inward{-(b.y - a.y) / length * bands.orientation, (b.x - a.x) / length * bands.orientation};
        double depths[] = {0.0, length / 4, length / 2, length, std::min(bands.radius[i], bands.radius[(i + 1) % n]) / 2};
        for (double depth : depths) {
            Point candidate{middle.x + inward.x * depth, middle.y + inward.y * depth};
            if (HoldsAll(bands, candidate)) {
                *centre = candidate;
                return true;
            }
        }
    }
    return false;
}

