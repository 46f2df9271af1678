// The shapes whose union is the region of one polygon in a pass: the footprint, a trapezoid per edge
// and a disc per vertex, each cut down beforehand to what the others do not already cover, so that the
// clipper unites a fraction of the points a literal construction would hand it.
#pragma once

#include <array>
#include <cstddef>
#include <vector>

#include "engine/clipper.h"
#include "engine/polygon_checks.h"
#include "model/drawing_options.h"

enum class CalcPass { Ad, Am };

// The four corners of an edge band's trapezoid, with its sides kept as half-planes for a fast test of
// whether a point lies well inside.
class Trapezoid {
  public:
    explicit Trapezoid(const std::array<Point, 4>& points);
    bool contains(Point p) const;
    std::array<Point, 4> corners;

  private:
    struct Side {
        double nx, ny, limit;  // inside where nx x + ny y > limit
    };
    std::array<Side, 4> sides;
};

// A convex footprint, for a fast test of whether a point lies well inside it.
class ConvexFootprint {
  public:
    // Empty (containing nothing) when the polygon is not convex.
    explicit ConvexFootprint(const std::vector<Point>& polygon);
    bool contains(Point p) const;

  private:
    std::vector<Point> corners;  // counter-clockwise
};

struct PolygonBands {
    std::vector<Point> vertices;
    std::vector<double> radius;        // the band's half-width at each vertex
    std::vector<Trapezoid> trapezoids;  // of edge i, from vertex i to vertex i + 1
    double orientation;                 // +1 when the vertices run counter-clockwise, else -1
    ConvexFootprint convex;
};

PolygonBands PrepareBands(CalcPass pass, const CalcOptions& options, const CalcPolygon& polygon);

// Adds what edges first..last-1 bring to the union: each trapezoid, or only its outer half when the
// inner half lies inside a convex footprint, and what shows of the disc at each edge's start vertex
// beside the other shapes of the batch. Nothing for an edge of radius 0 at both ends.
void AppendBatchShapes(const PolygonBands& bands, size_t first, size_t last, std::vector<ClipPolygon>* shapes);
