// The shapes whose union is the region of one polygon in a pass: the footprint, a trapezoid per edge
// and a disc per vertex, each cut down beforehand to what the polygon's other shapes do not already
// cover, so that the clipper unites a fraction of the points a literal construction would hand it.
#pragma once

#include <cstddef>
#include <vector>

#include "engine/checks/polygon_checks.h"
#include "engine/construction/disc_arcs.h"
#include "engine/construction/widened_footprint.h"
#include "engine/geometry/convex_shapes.h"
#include "engine/index/cover_grid.h"
#include "model/drawing_options.h"

enum class CalcPass { Ad, Am };

struct PolygonBands {
    std::vector<Point> vertices;
    std::vector<double> radius;         // the band's half-width at each vertex
    std::vector<Trapezoid> trapezoids;  // of edge i, from vertex i to vertex i + 1
    double orientation;                 // +1 when the vertices run counter-clockwise, else -1
    ConvexShape convex;                 // the footprint, when it is convex
    double smallestRadius;
    WidenedFootprint widened;  // a part of the union when its shape is not empty
    ConvexShape widenedHull;   // when the footprint is not convex, likewise
};

// Without whole, the trapezoids and the widened shapes are left empty for AddTrapezoids and WidenBands to
// fill when the walk or the pieces need them: a traced polygon needs neither (its trace builds only the
// corners it reads), and a walked one no widened shapes.
PolygonBands PrepareBands(CalcPass pass, const CalcOptions& options, const CalcPolygon& polygon, bool whole = true);
void AddTrapezoids(PolygonBands* bands);
void WidenBands(PolygonBands* bands);

// The disc around vertex i less what the shapes filed before, the widened and the convex footprint, the trapezoids of
// its two edges and the discs of its two neighbours cover, of these only those of the group of edges from first to last
// - 1 to which i belongs; empty for a radius of 0.
DiscArc DiscPiece(const PolygonBands& bands, size_t i, size_t first, size_t last, const CoverGrid& filed);

// The trapezoid of an edge, or only its outer half when the footprint is convex and the inner half adds
// nothing to it and the other bands, less what the shapes filed before cover; empty for an edge of
// radius 0 at both ends, which has no band. An outer half starts just inside the widened footprint.
std::vector<Point> TrapezoidPiece(const PolygonBands& bands, size_t edge, const CoverGrid& filed);
