// Planar primitives under the graphic method: shoelace area, the circle polygon, the band trapezoid.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

struct Point {
    double x;
    double y;
};

struct Edge {
    Point start;
    Point end;
};

constexpr int32_t CirclePointCount = 2501;

double Distance(Point a, Point b);
// The mean of the points (at least one): the centre of a round building, well inside a compact footprint.
Point VertexMean(const std::vector<Point>& vertices);

// Shoelace area, positive when the points run counter-clockwise; 0 for an empty list.
double SignedArea(const Point* points, int32_t count);
// The same without its sign.
double PolygonArea(const Point* points, int32_t count);

// Whether p lies inside the ring (even-odd rule, a ray towards smaller x; the ring is closed implicitly).
// Half-open, so that neighbours sharing an edge never both hold a point of it: for an axis-parallel
// rectangle the sides at the larger x and the larger y belong to it, the other two do not.
bool PointInRing(const std::vector<Point>& ring, Point p);

// 2501 points evenly spaced in x, starting and ending at (cx + r, cy).
std::vector<Point> CirclePolygon(double cx, double cy, double r);
// Point k (0 to 2499) of that polygon, computed exactly as the polygon computes it.
Point CirclePoint(double cx, double cy, double r, int32_t k);
// Its upper half steps evenly in x, from point 0 at x = r to point 1250 at x = -r: the point at or before
// unit x there (x clamped to the circle), from which the edge spanning x starts.
int32_t UpperPointBefore(double unitX);

// The trapezoid joining a disc of radius rA around a to one of radius rB around b.
std::array<Point, 4> BandCorners(Point a, Point b, double rA, double rB);

// The two points at distance r from p on the line of slope s through p (or on the vertical through p).
std::array<Point, 2> PerpendicularPoints(bool vertical, Point p, double s, double r);
