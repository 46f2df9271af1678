#include "engine/index/cover_grid.h"

#include <algorithm>
#include <cmath>

CoverGrid::CoverGrid(Point low, Point high, double cellSize) : origin(low), size(cellSize) {
    double across = (high.x - low.x) / size, up = (high.y - low.y) / size;
    // Coordinates that are not finite, which the clipper refuses later, get one cell that holds nothing.
    bool usable = across >= 0 && up >= 0 && across < 1e8 && up < 1e8 && size > 0;
    columns = usable ? std::max<int64_t>(1, static_cast<int64_t>(std::ceil(across))) : 1;
    rows = usable ? std::max<int64_t>(1, static_cast<int64_t>(std::ceil(up))) : 1;
    filledBy.assign(static_cast<size_t>(columns * rows), -1);
    firstEntry.assign(static_cast<size_t>(columns * rows), -1);
}

int64_t CoverGrid::cellOf(Point p) const {
    double cx = std::floor((p.x - origin.x) / size), cy = std::floor((p.y - origin.y) / size);
    if (!(cx >= 0 && cy >= 0 && cx < columns && cy < rows))
        return -1;
    return static_cast<int64_t>(cy) * columns + static_cast<int64_t>(cx);
}

bool CoverGrid::contains(int32_t shape, Point p) const {
    const Shape& s = shapes[shape];
    switch (s.kind) {
        case Kind::Disc: {
            const Disc& disc = discs[s.index];
            for (const Trapezoid::Side& side : disc.sides)
                if (!(side.nx * p.x + side.ny * p.y > side.limit))
                    return false;
            return InsideCircle(disc.centre, disc.r, p);
        }
        case Kind::Trapezoid: return trapezoids[s.index].contains(p);
        default: return convexes[s.index].contains(p);
    }
}

bool CoverGrid::emptyWithin(Point low, Point high) const {
    int64_t x0 = std::max<int64_t>(0, static_cast<int64_t>(std::floor((low.x - origin.x) / size)));
    int64_t x1 = std::min<int64_t>(columns - 1, static_cast<int64_t>(std::floor((high.x - origin.x) / size)));
    int64_t y0 = std::max<int64_t>(0, static_cast<int64_t>(std::floor((low.y - origin.y) / size)));
    int64_t y1 = std::min<int64_t>(rows - 1, static_cast<int64_t>(std::floor((high.y - origin.y) / size)));
    for (int64_t y = y0; y <= y1; y++)
        for (int64_t x = x0; x <= x1; x++)
            if (filledBy[y * columns + x] >= 0 || firstEntry[y * columns + x] >= 0)
                return false;
    return true;
}

bool CoverGrid::fillsBox(Point low, Point high) const {
    double x0 = std::floor((low.x - origin.x) / size), x1 = std::floor((high.x - origin.x) / size);
    double y0 = std::floor((low.y - origin.y) / size), y1 = std::floor((high.y - origin.y) / size);
    if (!(x0 >= 0 && y0 >= 0 && x1 < columns && y1 < rows))
        return false;
    for (int64_t y = static_cast<int64_t>(y0); y <= static_cast<int64_t>(y1); y++)
        for (int64_t x = static_cast<int64_t>(x0); x <= static_cast<int64_t>(x1); x++)
            if (filledBy[y * columns + x] < 0)
                return false;
    return true;
}

const Trapezoid* CoverGrid::trapezoidOf(int32_t shape) const {
    return shapes[shape].kind == Kind::Trapezoid ? &trapezoids[shapes[shape].index] : nullptr;
}

const CoverGrid::Disc* CoverGrid::discOf(int32_t shape) const {
    return shapes[shape].kind == Kind::Disc ? &discs[shapes[shape].index] : nullptr;
}

int32_t CoverGrid::covering(Point p) const {
    int64_t cell = cellOf(p);
    if (cell < 0)
        return -1;
    if (filledBy[cell] >= 0)
        return filledBy[cell];
    for (int32_t e = firstEntry[cell]; e >= 0; e = entryNext[e])
        if (contains(entryShape[e], p))
            return entryShape[e];
    return -1;
}

// Each run of points inside one filed shape S, found by testing the points after its first against S
// itself, loses its inner points; the polygon of the run lies in S, since S is convex.
std::vector<Point> CoverGrid::cut(const std::vector<Point>& piece) const {
    size_t n = piece.size();
    if (n < 3 || shapes.empty())
        return piece;
    std::vector<int32_t> cover(n);
    size_t anchor = n;  // a point that stays
    for (size_t i = 0; i < n; i++) {
        cover[i] = covering(piece[i]);
        if (cover[i] < 0)
            anchor = i;
    }
    if (anchor == n) {  // every point is covered: by one shape, or the first change of shape anchors
        for (size_t i = 1; i < n && anchor == n; i++)
            if (!contains(cover[0], piece[i]))
                anchor = i;
        if (anchor == n)
            return {};
    }
    std::vector<Point> kept = {piece[anchor]};
    int32_t run = -1;
    size_t runStart = 0, runEnd = 0;
    auto closeRun = [&]() {
        if (run >= 0) {
            kept.push_back(piece[runStart]);
            if (runEnd != runStart)
                kept.push_back(piece[runEnd]);
        }
        run = -1;
    };
    for (size_t k = 1; k < n; k++) {
        size_t i = (anchor + k) % n;
        if (run >= 0 && contains(run, piece[i])) {
            runEnd = i;
            continue;
        }
        closeRun();
        if (cover[i] >= 0) {
            run = cover[i];
            runStart = runEnd = i;
        } else {
            kept.push_back(piece[i]);
        }
    }
    closeRun();
    return kept;
}

// A cell is held whole when it lies inside by the margin, so that every point of it passes the shape's
// own test; it is listed when the shape may meet it.
template <typename SpanOf>
void CoverGrid::file(Kind kind, uint32_t index, double yLow, double yHigh, SpanOf spanOf) {
    int32_t id = static_cast<int32_t>(shapes.size());
    shapes.push_back({kind, index});
    int64_t first = std::max<int64_t>(0, static_cast<int64_t>(std::floor((yLow - origin.y) / size)));
    int64_t last = std::min<int64_t>(rows - 1, static_cast<int64_t>(std::floor((yHigh - origin.y) / size)));
    for (int64_t row = first; row <= last; row++) {
        RowSpan span = spanOf(row);
        int64_t meetFirst = std::max<int64_t>(0, span.meetFirst), meetLast = std::min(columns - 1, span.meetLast);
        for (int64_t column = meetFirst; column <= meetLast; column++) {
            int64_t cell = row * columns + column;
            if (column >= span.holdFirst && column <= span.holdLast) {
                if (filledBy[cell] < 0)
                    filledBy[cell] = id;
                continue;
            }
            entryShape.push_back(id);
            entryNext.push_back(firstEntry[cell]);
            firstEntry[cell] = static_cast<int32_t>(entryShape.size() - 1);
        }
    }
}

namespace {

// Narrows the columns from first to last to those where the half-plane holds (hold) or may hold (meet)
// somewhere in the band of y from y0 to y1, whose cells begin at x = left + k size.
void NarrowByHalfPlane(const Trapezoid::Side& side, double y0, double y1, double left, double size, bool hold,
                       int64_t* first, int64_t* last) {
    // nx x + ny y > limit: the band's worst y for holding, its best for meeting.
    double y = (side.ny > 0) == hold ? y0 : y1;
    double rest = side.limit - side.ny * y;
    if (side.nx == 0.0) {
        if (!(0.0 > rest))
            *last = *first - 1;
        return;
    }
    double x = rest / side.nx;
    if (side.nx > 0)  // x beyond the line
        *first = std::max(*first, hold ? static_cast<int64_t>(std::ceil((x - left) / size))
                                       : static_cast<int64_t>(std::floor((x - left) / size)));
    else
        *last = std::min(*last, hold ? static_cast<int64_t>(std::floor((x - left) / size)) - 1
                                     : static_cast<int64_t>(std::floor((x - left) / size)));
}

}  // namespace

// In a row the disc meets the columns within its half-width at the row's y nearest the centre; the
// circle polygon's sure radius holds those within its half-width at the row's y farthest from it. Each
// chord then narrows both.
void CoverGrid::fileDisc(Point centre, double r, const std::vector<Chord>& chords) {
    uint32_t index = static_cast<uint32_t>(discs.size());
    Disc disc{centre, r, {}};
    for (const Chord& chord : chords) {
        double dx = chord.b.x - chord.a.x, dy = chord.b.y - chord.a.y, length = std::sqrt(dx * dx + dy * dy);
        if (length > 0.0)
            disc.sides.push_back(
                {-dy / length, dx / length, (-dy * chord.a.x + dx * chord.a.y) / length + InsideMargin});
    }
    discs.push_back(disc);
    double sure = CircleInnerRadius * r - 2 * InsideMargin;
    file(Kind::Disc, index, centre.y - r, centre.y + r, [&](int64_t row) {
        double y0 = origin.y + row * size - centre.y, y1 = y0 + size;
        double nearest = y0 <= 0 && y1 >= 0 ? 0.0 : std::min(std::fabs(y0), std::fabs(y1));
        double farthest = std::max(std::fabs(y0), std::fabs(y1));
        RowSpan span{0, -1, 0, -1};
        if (nearest < r) {
            double half = std::sqrt(r * r - nearest * nearest);
            span.meetFirst = static_cast<int64_t>(std::floor((centre.x - half - origin.x) / size));
            span.meetLast = static_cast<int64_t>(std::floor((centre.x + half - origin.x) / size));
        }
        if (farthest < sure) {
            double half = std::sqrt(sure * sure - farthest * farthest);
            span.holdFirst = static_cast<int64_t>(std::ceil((centre.x - half - origin.x) / size));
            span.holdLast = static_cast<int64_t>(std::floor((centre.x + half - origin.x) / size)) - 1;
        }
        for (const Trapezoid::Side& side : discs[index].sides) {
            Trapezoid::Side wider = side;
            wider.limit -= 2 * InsideMargin;
            Trapezoid::Side narrower = side;
            narrower.limit += InsideMargin;
            NarrowByHalfPlane(wider, y0 + centre.y, y1 + centre.y, origin.x, size, false, &span.meetFirst,
                              &span.meetLast);
            NarrowByHalfPlane(narrower, y0 + centre.y - InsideMargin, y1 + centre.y + InsideMargin, origin.x, size,
                              true, &span.holdFirst, &span.holdLast);
        }
        return span;
    });
}

// The x range of a convex polygon over a row's band of y is where it meets the row; the overlap of its
// x ranges along the band's two edges, narrowed by the margin, is what it holds.
CoverGrid::RowSpan CoverGrid::convexSpan(const std::vector<Point>& corners, int64_t row) const {
    double y0 = origin.y + row * size, y1 = y0 + size;
    double meetLow = HUGE_VAL, meetHigh = -HUGE_VAL;
    auto rangeAt = [&](double y, double* low, double* high) {
        *low = HUGE_VAL;
        *high = -HUGE_VAL;
        for (size_t i = 0; i < corners.size(); i++) {
            Point a = corners[i], b = corners[(i + 1) % corners.size()];
            if ((a.y <= y && b.y >= y) || (b.y <= y && a.y >= y)) {
                double x = a.y == b.y ? a.x : a.x + (b.x - a.x) * (y - a.y) / (b.y - a.y);
                double other = a.y == b.y ? b.x : x;
                *low = std::min({*low, x, other});
                *high = std::max({*high, x, other});
            }
        }
    };
    for (const Point& c : corners)
        if (c.y >= y0 && c.y <= y1) {
            meetLow = std::min(meetLow, c.x);
            meetHigh = std::max(meetHigh, c.x);
        }
    double low0, high0, low1, high1;
    rangeAt(y0, &low0, &high0);
    rangeAt(y1, &low1, &high1);
    meetLow = std::min({meetLow, low0, low1});
    meetHigh = std::max({meetHigh, high0, high1});
    RowSpan span{0, -1, 0, -1};
    if (meetLow <= meetHigh) {
        span.meetFirst = static_cast<int64_t>(std::floor((meetLow - origin.x) / size));
        span.meetLast = static_cast<int64_t>(std::floor((meetHigh - origin.x) / size));
    }
    double holdLow = std::max(low0, low1) + 2 * InsideMargin, holdHigh = std::min(high0, high1) - 2 * InsideMargin;
    if (holdLow <= holdHigh) {
        span.holdFirst = static_cast<int64_t>(std::ceil((holdLow - origin.x) / size));
        span.holdLast = static_cast<int64_t>(std::floor((holdHigh - origin.x) / size)) - 1;
    }
    return span;
}

void CoverGrid::fileTrapezoid(const Trapezoid& trapezoid) {
    uint32_t index = static_cast<uint32_t>(trapezoids.size());
    trapezoids.push_back(trapezoid);
    std::vector<Point> corners(trapezoid.corners.begin(), trapezoid.corners.end());
    double yLow = corners[0].y, yHigh = corners[0].y;
    for (const Point& c : corners) {
        yLow = std::min(yLow, c.y);
        yHigh = std::max(yHigh, c.y);
    }
    file(Kind::Trapezoid, index, yLow, yHigh, [&](int64_t row) { return convexSpan(corners, row); });
}

void CoverGrid::fileConvex(const ConvexShape& shape) {
    if (shape.empty())
        return;
    uint32_t index = static_cast<uint32_t>(convexes.size());
    convexes.push_back(shape);
    const std::vector<Point>& corners = shape.points();
    double yLow = corners[0].y, yHigh = corners[0].y;
    for (const Point& c : corners) {
        yLow = std::min(yLow, c.y);
        yHigh = std::max(yHigh, c.y);
    }
    file(Kind::Convex, index, yLow, yHigh, [&](int64_t row) { return convexSpan(corners, row); });
}
