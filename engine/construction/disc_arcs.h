// The circle polygon around a vertex, cut down by the shapes that cover parts of it. A cut drops the inner
// points of every run of points inside one convex shape and keeps the run's two ends: the chord between
// them lies in the shape, so a union with the shape loses nothing. The points lie on the circle, so a
// whole block of neighbouring points is often found inside or outside a shape from the block's two ends
// and the circle's extreme point, without testing each point.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "engine/geometry/convex_shapes.h"
#include "engine/geometry/geometry.h"
#include "engine/index/cover_grid.h"

class DiscArc {
  public:
    // All points of CirclePolygon(centre, r) but its closing repeat.
    DiscArc(Point centre, double r);
    // No point at all, for a radius of 0.
    static DiscArc Empty();

    // Drops the inner points of every run of points inside the shape.
    void cutByTrapezoid(const Trapezoid& trapezoid);
    void cutByCircle(Point centre, double r);
    // The shape lies where normal . p <= limit: a block beyond that line is known to be outside it.
    struct HalfPlane {
        Point normal;
        double limit;
    };
    void cutByShape(const ConvexShape& shape, const HalfPlane& within = {{0.0, 0.0}, 0.0});
    // Drops the inner points of every run of points in directions from the centre along which the
    // shape, which holds the centre on its boundary, reaches at least the given depth. The shape lies
    // on the side of the two unit normals inward of the centre.
    void cutByDepth(const ConvexShape& shape, double depth, const std::array<Point, 2>& inward);
    // Drops the inner points of every run of points inside one shape filed in the grid.
    void cutByGrid(const CoverGrid& grid);

    bool empty() const { return spans.empty(); }
    std::vector<Point> points() const;
    // Where points were cut away: from each kept point to the next kept point that does not follow it on
    // the circle. The piece is the disc less what lies right of these chords.
    std::vector<CoverGrid::Chord> chords() const;
    Point middle() const { return centre; }
    double radius() const { return r; }

  private:
    enum class BlockSide { Inside, Outside, Mixed };
    struct Span {
        int32_t first, count;  // consecutive indices of the circle polygon's points
    };
    // Consecutive points inside the same shape, or outside every shape (label -1).
    struct Run {
        int32_t first, count, label;
    };
    struct Bound {
        double low, high;  // of the projection of the block's points on a direction
    };
    // Consecutive indices on one half of the circle, with the points at its ends.
    struct Block {
        int32_t first, last;
        Point start, end;
    };

    Point point(int32_t k) const { return CirclePoint(centre.x, centre.y, r, k); }
    Block blockOf(int32_t first, int32_t last) const { return {first, last, point(first), point(last)}; }
    // The range of d . p over the block's arc.
    Bound project(const Block& block, double dx, double dy) const;
    BlockSide trapezoidSide(const Trapezoid& trapezoid, const Block& block) const;
    BlockSide circleSide(Point other, double otherR, const Block& block) const;
    // Calls visit(block) for each block of at most BlockSize consecutive points on one half of the circle.
    template <typename BlockVisit>
    void forEachBlock(BlockVisit visit) const;
    template <typename BlockTest, typename PointTest>
    void cut(BlockTest blockSide, PointTest inside);
    static void addRun(std::vector<Run>* runs, int32_t first, int32_t count, int32_t label);
    // Keeps the points outside, and the ends of each run of points in one shape.
    void keep(const std::vector<Run>& runs);
    void append(int32_t first, int32_t count);

    Point centre;
    double r;
    std::vector<Span> spans;  // the points kept, counter-clockwise
};
