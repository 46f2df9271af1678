#include "engine/construction/disc_arcs.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

constexpr int32_t BlockSize = 48;
constexpr int32_t SmallestBlock = 6;
constexpr int32_t HalfTurn = 1250;  // index of (cx - r, cy), where the lower half begins
// Arcs wider than about 120 degrees have their tangents meet far out; such a block is halved instead.
constexpr double MinTangentSpread = 0.5;

}  // namespace

DiscArc::DiscArc(Point centre, double r) : centre(centre), r(r), spans{{0, CirclePointCount - 1}} {}

DiscArc DiscArc::Empty() {
    DiscArc none({0.0, 0.0}, 0.0);
    none.spans.clear();
    return none;
}

std::vector<CoverGrid::Chord> DiscArc::chords() const {
    std::vector<CoverGrid::Chord> result;
    if (spans.size() == 1 && spans[0].count == CirclePointCount - 1)
        return result;  // the whole circle
    for (size_t j = 0; j < spans.size(); j++) {
        const Span& span = spans[j];
        const Span& next = spans[(j + 1) % spans.size()];
        int32_t last = span.first + span.count - 1;
        if (next.first != (last + 1) % (CirclePointCount - 1))  // else an edge of the circle polygon
            result.push_back({point(last), point(next.first)});
    }
    return result;
}

std::vector<Point> DiscArc::points() const {
    std::vector<Point> result;
    for (const Span& span : spans)
        for (int32_t k = span.first; k < span.first + span.count; k++)
            result.push_back(point(k));
    return result;
}

// The extreme point of the whole circle in direction d lies on the arc when its x lies within the arc's
// x range and on the arc's half; otherwise the arc's ends are its extremes.
DiscArc::Bound DiscArc::project(const Block& block, double dx, double dy) const {
    Point pa = block.start, pb = block.end;
    double fa = dx * pa.x + dy * pa.y, fb = dx * pb.x + dy * pb.y;
    Bound bound{std::min(fa, fb), std::max(fa, fb)};
    double xLow = std::min(pa.x, pb.x) - centre.x, xHigh = std::max(pa.x, pb.x) - centre.x;
    bool upper = block.first < HalfTurn;
    double atCentre = dx * centre.x + dy * centre.y;
    if (r * dx >= xLow && r * dx <= xHigh && (upper ? dy >= 0 : dy <= 0))
        bound.high = atCentre + r;
    if (-r * dx >= xLow && -r * dx <= xHigh && (upper ? dy <= 0 : dy >= 0))
        bound.low = atCentre - r;
    return bound;
}

DiscArc::BlockSide DiscArc::trapezoidSide(const Trapezoid& trapezoid, const Block& block) const {
    bool allInside = true;
    for (const Trapezoid::Side& side : trapezoid.sides) {
        Bound bound = project(block, side.nx, side.ny);
        if (!(bound.high > side.limit))
            return BlockSide::Outside;  // every point fails this side
        allInside = allInside && bound.low > side.limit;
    }
    return allInside ? BlockSide::Inside : BlockSide::Mixed;
}

// Against the other circle's sure radius for inside, and its full radius for outside, as InsideCircle.
DiscArc::BlockSide DiscArc::circleSide(Point other, double otherR, const Block& block) const {
    double ex = centre.x - other.x, ey = centre.y - other.y, distance = std::sqrt(ex * ex + ey * ey);
    if (!(otherR > 0.0) || distance == 0.0)
        return BlockSide::Mixed;
    // |p - other|^2 = distance^2 + r^2 + 2 distance t, with t the projection of p - centre on the line of
    // centres: it grows with t, so the ends of t's range bound the distances.
    Bound along = project(block, ex / distance, ey / distance);
    double atCentre = (ex * centre.x + ey * centre.y) / distance;
    // The sums cancel when the circles nearly touch: widened by their rounding, the bounds stay bounds.
    double base = distance * distance + r * r, slack = 1e-12 * base;
    double farthest = std::sqrt(std::max(0.0, base + 2 * distance * (along.high - atCentre) + slack));
    double nearest = std::sqrt(std::max(0.0, base + 2 * distance * (along.low - atCentre) - slack));
    double sure = CircleInnerRadius * otherR - InsideMargin;
    if (farthest < sure)
        return BlockSide::Inside;
    if (nearest >= otherR)
        return BlockSide::Outside;
    return BlockSide::Mixed;
}

void DiscArc::cutByTrapezoid(const Trapezoid& trapezoid) {
    cut([&](const Block& block) { return trapezoidSide(trapezoid, block); },
        [&](Point p) { return trapezoid.contains(p); });
}

void DiscArc::cutByCircle(Point other, double otherR) {
    cut([&](const Block& block) { return circleSide(other, otherR, block); },
        [&](Point p) { return InsideCircle(other, otherR, p); });
}

void DiscArc::cutByShape(const ConvexShape& shape, const HalfPlane& within) {
    // A block clear of the shape's box lies outside it. The arc of a block lies in the triangle of its ends
    // and the meeting point of the tangents there, so it lies inside the convex shape when those three do.
    auto blockSide = [&](const Block& block) {
        Bound xs = project(block, 1, 0), ys = project(block, 0, 1);
        bool clear =
            xs.high < shape.low().x || xs.low > shape.high().x || ys.high < shape.low().y || ys.low > shape.high().y;
        if (clear || project(block, within.normal.x, within.normal.y).low > within.limit)
            return BlockSide::Outside;
        Point u{(block.start.x - centre.x) / r, (block.start.y - centre.y) / r};
        Point w{(block.end.x - centre.x) / r, (block.end.y - centre.y) / r};
        double spread = 1 + u.x * w.x + u.y * w.y;  // 1 + the cosine of the arc's angle
        if (!(spread > MinTangentSpread))
            return BlockSide::Mixed;
        Point apex{centre.x + r * (u.x + w.x) / spread, centre.y + r * (u.y + w.y) / spread};
        bool held = shape.contains(block.start) && shape.contains(block.end) && shape.contains(apex);
        return held ? BlockSide::Inside : BlockSide::Mixed;
    };
    cut(blockSide, [&](Point p) { return shape.contains(p); });
}

void DiscArc::cutByDepth(const ConvexShape& shape, double depth, const std::array<Point, 2>& inward) {
    auto blockSide = [&](const Block& block) {
        for (const Point& n : inward)
            if (project(block, n.x, n.y).high <= n.x * centre.x + n.y * centre.y)
                return BlockSide::Outside;
        return BlockSide::Mixed;
    };
    cut(blockSide, [&](Point p) {
        double dx = p.x - centre.x, dy = p.y - centre.y, length = std::sqrt(dx * dx + dy * dy);
        return length > 0.0 && shape.contains({centre.x + depth * dx / length, centre.y + depth * dy / length});
    });
}

// Blocks are consecutive indices on one half of the circle, at most BlockSize long.
template <typename BlockVisit>
void DiscArc::forEachBlock(BlockVisit visit) const {
    for (const Span& span : spans)
        for (int32_t first = span.first, end = span.first + span.count; first < end;) {
            int32_t last = std::min(end, first + BlockSize) - 1;
            if (first < HalfTurn && last >= HalfTurn)
                last = HalfTurn - 1;
            visit(blockOf(first, last));
            first = last + 1;
        }
}

void DiscArc::addRun(std::vector<Run>* runs, int32_t first, int32_t count, int32_t label) {
    if (!runs->empty() && runs->back().label == label && runs->back().first + runs->back().count == first)
        runs->back().count += count;
    else
        runs->push_back({first, count, label});
}

// A block found wholly inside or outside becomes one run; one found in part is halved until its parts
// are decided or a few points long, and those points are tested one by one.
template <typename BlockTest, typename PointTest>
void DiscArc::cut(BlockTest blockSide, PointTest inside) {
    std::vector<Run> runs;
    std::function<void(const Block&)> visit = [&](const Block& block) {
        BlockSide side = block.last > block.first ? blockSide(block) : BlockSide::Mixed;
        if (side != BlockSide::Mixed) {
            addRun(&runs, block.first, block.last - block.first + 1, side == BlockSide::Inside ? 0 : -1);
        } else if (block.last - block.first >= SmallestBlock) {
            int32_t middle = block.first + (block.last - block.first) / 2;
            Point atMiddle = point(middle), afterMiddle = point(middle + 1);
            visit({block.first, middle, block.start, atMiddle});
            visit({middle + 1, block.last, afterMiddle, block.end});
        } else {
            addRun(&runs, block.first, 1, inside(block.start) ? 0 : -1);
            for (int32_t k = block.first + 1; k < block.last; k++)
                addRun(&runs, k, 1, inside(point(k)) ? 0 : -1);
            if (block.last > block.first)
                addRun(&runs, block.last, 1, inside(block.end) ? 0 : -1);
        }
    };
    forEachBlock(visit);
    keep(runs);
}

// A block lies in the shape that holds its first point when the shape holds the whole arc; point by
// point, a run goes on in its shape as long as it can, so that a point in several shapes joins the run.
void DiscArc::cutByGrid(const CoverGrid& grid) {
    if (grid.empty())
        return;
    std::vector<Run> runs;
    forEachBlock([&](const Block& block) {
        int32_t first = block.first, last = block.last;
        Bound xs = project(block, 1, 0), ys = project(block, 0, 1);
        if (grid.emptyWithin({xs.low, ys.low}, {xs.high, ys.high})) {
            addRun(&runs, first, last - first + 1, -1);
            return;
        }
        int32_t shape = grid.covering(block.start);
        if (shape >= 0 && last > first) {
            const Trapezoid* trapezoid = grid.trapezoidOf(shape);
            const CoverGrid::Disc* disc = grid.discOf(shape);
            bool whole =
                trapezoid ? trapezoidSide(*trapezoid, block) == BlockSide::Inside
                          : disc && circleSide(disc->centre, disc->r, block) == BlockSide::Inside &&
                                std::all_of(disc->sides.begin(), disc->sides.end(), [&](const Trapezoid::Side& side) {
                                    return project(block, side.nx, side.ny).low > side.limit;
                                });
            if (whole) {
                addRun(&runs, first, last - first + 1, shape);
                return;
            }
        }
        for (int32_t k = first; k <= last; k++) {
            Point p = point(k);
            int32_t previous = runs.empty() ? -1 : runs.back().label;
            addRun(&runs, k, 1, previous >= 0 && grid.contains(previous, p) ? previous : grid.covering(p));
        }
    });
    keep(runs);
}

void DiscArc::append(int32_t first, int32_t count) {
    if (!spans.empty() && spans.back().first + spans.back().count == first)
        spans.back().count += count;
    else
        spans.push_back({first, count});
}

// A run in a shape keeps its first point unless the run before lies in the same shape, and its last
// unless the run after does; when one shape holds every point, nothing stays.
void DiscArc::keep(const std::vector<Run>& runs) {
    spans.clear();
    size_t n = runs.size();
    bool oneShape = true;
    for (const Run& run : runs)
        oneShape = oneShape && run.label >= 0 && run.label == runs[0].label;
    if (oneShape)
        return;
    for (size_t j = 0; j < n; j++) {
        const Run& run = runs[j];
        if (run.label < 0) {
            append(run.first, run.count);
            continue;
        }
        bool keepFirst = runs[(j + n - 1) % n].label != run.label, keepLast = runs[(j + 1) % n].label != run.label;
        if (run.count == 1 && (keepFirst || keepLast)) {
            append(run.first, 1);
        } else if (run.count > 1) {
            if (keepFirst)
                append(run.first, 1);
            if (keepLast)
                append(run.first + run.count - 1, 1);
        }
    }
}
