// Convex shapes of the construction with fast tests of whether a point lies well inside them.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/geometry/geometry.h"

// Points count as inside a shape only this far from its boundary (ten clipper units), so that the
// rounding of coordinates to the clipper's grid can never open a gap where a cut-away piece was.
constexpr double InsideMargin = 1e-5;

// Every step of the circle polygon spans at most 3.2416 degrees, so all of it lies at least
// r cos(1.6208 degrees) = 0.99959992 r from the centre, rounded down here; only the thin ring outside
// that needs the chord test.
constexpr double CircleInnerRadius = 0.9995999;

// The least depth, as a share of the radius, of the circle polygon's edges from index first to index
// last (edge k joins points k and k + 1, first <= last; a run below 0 or past 2499 wraps round): the
// polygon holds the circle of that radius wherever its centre sees those edges. CircleInnerRadius for a
// run over the widest steps, and for any other run the same or more.
double CircleDepthOver(int32_t first, int32_t last);

double Cross(Point origin, Point a, Point b);

// Whether p lies to the left of the line from a to b by at least the margin.
bool LeftOf(Point a, Point b, Point p);

// Whether p lies well inside the circle polygon of radius r around centre.
bool InsideCircle(Point centre, double r, Point p);

// The four corners of an edge band's trapezoid, with its sides kept as half-planes.
class Trapezoid {
  public:
    explicit Trapezoid(const std::array<Point, 4>& points);
    bool contains(Point p) const;
    std::array<Point, 4> corners;

    struct Side {
        double nx, ny, limit;  // inside where nx x + ny y > limit; nx = ny = 0 for a side of no length
    };
    std::array<Side, 4> sides;
};

// A convex polygon, for a test in logarithmic time.
class ConvexShape {
  public:
    ConvexShape() = default;
    // Empty (containing nothing) when the polygon is not convex.
    explicit ConvexShape(const std::vector<Point>& polygon);
    bool contains(Point p) const;
    bool empty() const { return corners.empty(); }
    const std::vector<Point>& points() const { return corners; }
    // The corners of its bounding box.
    Point low() const { return boxLow; }
    Point high() const { return boxHigh; }

  private:
    // Whether p lies left of the side from corner i to corner j (i + 1, or 0 after the last) by the margin.
    bool leftOfSide(size_t i, size_t j, Point p) const;

    std::vector<Point> corners;      // counter-clockwise
    std::vector<double> sideLength;  // from corner i to the next
    Point boxLow{0.0, 0.0}, boxHigh{-1.0, -1.0};
};
