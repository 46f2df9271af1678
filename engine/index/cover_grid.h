// The shapes already known to lie in a pass's union, filed by the cells of a grid they cross or fill,
// so that a later piece can be cut down to what none of them covers. The polygons are taken from the
// farthest-reaching to the nearest and each files its whole discs and trapezoids once its own pieces
// are cut: on a site of many buildings most later pieces then vanish, and what remains of the others
// lies near the outline.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/geometry/convex_shapes.h"

class CoverGrid {
  public:
    // A grid over the rectangle from low to high in square cells of the given size.
    CoverGrid(Point low, Point high, double cellSize);

    // The convex piece less the inner points of every run of its points that lies inside one filed
    // shape; empty when one filed shape holds it all. The cut-away parts lie in filed shapes, which lie
    // in the union, so the union of the pieces is what it would be without the cuts.
    std::vector<Point> cut(const std::vector<Point>& piece) const;

    // A side of a cut-down disc: the disc keeps what lies to the left of the line from a to b.
    struct Chord {
        Point a, b;
    };
    // The circle polygon of radius r around centre, less what lies right of any of the chords.
    struct Disc {
        Point centre;
        double r;
        std::vector<Trapezoid::Side> sides;  // of the chords, as half-planes narrowed by the margin
    };

    // Files a shape that lies in the union: a disc cut down by chords (a whole one has none), a band's
    // trapezoid, or a convex polygon.
    void fileDisc(Point centre, double r, const std::vector<Chord>& chords = {});
    void fileTrapezoid(const Trapezoid& trapezoid);
    void fileConvex(const ConvexShape& shape);

    bool empty() const { return shapes.empty(); }
    // Whether no filed shape meets the box from low to high.
    bool emptyWithin(Point low, Point high) const;
    // Whether every cell that meets the box from low to high lies whole in one filed shape, so that
    // anything within the box lies in the union already.
    bool fillsBox(Point low, Point high) const;
    // A filed shape that holds p, or -1.
    int32_t covering(Point p) const;
    bool contains(int32_t shape, Point p) const;
    // The filed shape as a trapezoid or a disc, when it is one.
    const Trapezoid* trapezoidOf(int32_t shape) const;
    const Disc* discOf(int32_t shape) const;

  private:
    enum class Kind { Disc, Trapezoid, Convex };
    struct Shape {
        Kind kind;
        uint32_t index;  // into the list of its kind
    };
    // For one row of cells: the columns a shape may meet, and those it holds whole (first > last if none).
    struct RowSpan {
        int64_t meetFirst, meetLast, holdFirst, holdLast;
    };

    int64_t cellOf(Point p) const;  // -1 outside the grid
    // Files shape over the rows from rowLow to rowHigh, each row's span given by spanOf(row).
    template <typename SpanOf>
    void file(Kind kind, uint32_t index, double yLow, double yHigh, SpanOf spanOf);
    // The span of a convex polygon given by its corners.
    RowSpan convexSpan(const std::vector<Point>& corners, int64_t row) const;

    Point origin;
    double size;
    int64_t columns, rows;
    std::vector<Shape> shapes;
    std::vector<Disc> discs;
    std::vector<Trapezoid> trapezoids;
    std::vector<ConvexShape> convexes;
    std::vector<int32_t> filledBy;    // per cell: a shape holding all of the cell, or -1
    std::vector<int32_t> firstEntry;  // per cell: the first of the shapes that may meet it in part
    std::vector<int32_t> entryShape, entryNext;
};
