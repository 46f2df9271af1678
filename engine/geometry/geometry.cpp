#include "engine/geometry/geometry.h"

#include <algorithm>
#include <array>
#include <cmath>

double Distance(Point a, Point b) {
    return std::sqrt((a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y));
}

// Summed about the first point, so that map coordinates keep their digits.
Point VertexMean(const std::vector<Point>& vertices) {
    Point sum{0.0, 0.0};
    for (Point v : vertices)
        sum = {sum.x + v.x - vertices[0].x, sum.y + v.y - vertices[0].y};
    double n = static_cast<double>(vertices.size());
    return {vertices[0].x + sum.x / n, vertices[0].y + sum.y / n};
}

// Summed about the first point: at map coordinates the products of raw coordinates are near 1e12 and
// would swamp a building's few hundred square metres, while differences of nearby coordinates are exact.
double SignedArea(const Point* points, int32_t count) {
    if (count < 3)
        return 0.0;
    const Point origin = points[0];
    double sum = 0.0;
    for (int32_t i = 1; i + 1 < count; i++) {
        double px = points[i].x - origin.x, py = points[i].y - origin.y;
        double qx = points[i + 1].x - origin.x, qy = points[i + 1].y - origin.y;
        sum += px * qy - py * qx;
    }
    return sum * 0.5;
}

double PolygonArea(const Point* points, int32_t count) {
    return std::fabs(SignedArea(points, count));
}

// The points step evenly in x, so they are dense near the vertical diameter and sparse near the
// horizontal one. Point 1250 is written twice and ends as (cx - r, cy); point 2500 repeats point 0.
std::vector<Point> CirclePolygon(double cx, double cy, double r) {
    std::vector<Point> points(CirclePointCount);
    for (int32_t k = 0; k < CirclePointCount - 1; k++)
        points[k] = CirclePoint(cx, cy, r, k);
    points[CirclePointCount - 1] = points[0];
    return points;
}

namespace {

// The unit circle's points of the upper half, each x as the polygon steps and its y: a point of any
// circle is then two products, where a square root cost a twelfth of a house's calculation.
struct UnitHalfCircle {
    std::array<double, 1251> x, y;
    UnitHalfCircle() {
        for (int32_t i = 0; i <= 1250; i++) {
            x[i] = 1 - i * 4.0 / 2500.0;
            y[i] = std::sqrt(std::max(0.0, 1 - x[i] * x[i]));
        }
    }
};
const UnitHalfCircle UnitHalf;

}  // namespace

// The upper half runs from k = 0 to 1250, the lower half mirrors it: point 2500 - i lies below point i.
Point CirclePoint(double cx, double cy, double r, int32_t k) {
    int32_t i = k <= 1250 ? k : 2500 - k;
    double x = r * UnitHalf.x[i], y = r * UnitHalf.y[i];
    if (k >= 1250)
        y = -y;
    return {x + cx, y + cy};
}

int32_t UpperPointBefore(double unitX) {
    double x = std::max(-1.0, std::min(1.0, unitX));
    return static_cast<int32_t>(std::floor((1.0 - x) * 625.0));
}

std::array<Point, 4> BandCorners(Point a, Point b, double rA, double rB) {
    double dx = b.x - a.x;
    double s = 0.0;  // slope of the perpendiculars; horizontal for a vertical edge
    bool vertical = false;
    if (dx != 0.0) {
        double m = (b.y - a.y) / dx;
        if (m != 0.0)
            s = -1.0 / m;
        else
            vertical = true;
    }
    std::array<Point, 2> pa = PerpendicularPoints(vertical, a, s, rA);
    std::array<Point, 2> pb = PerpendicularPoints(vertical, b, s, rB);
    // Both pairs run the same way along parallel perpendiculars, so the corners never cross.
    return {pa[0], pa[1], pb[1], pb[0]};
}

// The points are p plus and minus r along the unit direction of slope s, the one with the larger x first.
// Intersecting the line with the circle through the quadratic formula gives the same points in exact
// arithmetic, but its discriminant cancels catastrophically for steep perpendiculars far from the origin
// (map coordinates), which made bands visibly too wide or too narrow, or NaN for a radius of 0.
std::array<Point, 2> PerpendicularPoints(bool vertical, Point p, double s, double r) {
    if (vertical)
        return {Point{p.x, p.y - r}, Point{p.x, p.y + r}};
    double dx = r / std::sqrt(1.0 + s * s);  // sqrt, unlike hypot, rounds the same on every platform
    double dy = s * dx;
    return {Point{p.x + dx, p.y + dy}, Point{p.x - dx, p.y - dy}};
}

bool PointInRing(const std::vector<Point>& ring, Point p) {
    bool inside = false;
    for (size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
        const Point &a = ring[j], &b = ring[i];
        if (std::min(a.y, b.y) < p.y && p.y <= std::max(a.y, b.y) &&
            b.x + (a.x - b.x) * (p.y - b.y) / (a.y - b.y) < p.x)
            inside = !inside;
    }
    return inside;
}
