#include "engine/clipper/clipper.h"

#include "engine/clipper/quiet_runs.h"

#include <clipper.hpp>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

namespace {

constexpr double Scale = 1e6;  // metres to the clipper's integer micrometres
// Comfortably inside the clipper's 62-bit range, so its own range check never throws on our input.
constexpr double CoordinateLimit = 1e18;

// Rounds half away from zero, as llround does, without its library call, which took a twentieth of a
// small building's calculation. Exact: x less its truncation is a representable difference.
ClipperLib::cInt Rounded(double x) {
    ClipperLib::cInt whole = static_cast<ClipperLib::cInt>(x);
    double rest = x - static_cast<double>(whole);
    // Without a branch: the rest is as good as random, and the guesses missed every other point.
    return whole + static_cast<ClipperLib::cInt>(rest >= 0.5) - static_cast<ClipperLib::cInt>(rest <= -0.5);
}

bool ToClipperPath(const std::vector<Point>& points, bool hole, ClipperLib::Path* path) {
    path->resize(points.size());
    for (size_t i = 0; i < points.size(); i++) {
        double x = points[i].x * Scale, y = points[i].y * Scale;
        if (!(std::fabs(x) < CoordinateLimit && std::fabs(y) < CoordinateLimit))  // also false for NaN
            return false;
        (*path)[i] = {Rounded(x), Rounded(y)};
    }
    // Orientation carries the hole flag under the non-zero fill rule: outer contours counter-clockwise.
    if (ClipperLib::Orientation(*path) == hole)
        ClipperLib::ReversePath(*path);
    return true;
}

bool ToClipperPaths(const ClipPolygon& polygon, ClipperLib::Paths* paths) {
    for (const ClipContour& contour : polygon.contours) {
        ClipperLib::Path path;
        if (!ToClipperPath(contour.points, contour.hole, &path))
            return false;
        paths->push_back(std::move(path));
    }
    return true;
}

// Into the storage points already holds, whatever it held.
void FromClipperPath(const ClipperLib::Path& path, ClipContour* contour) {
    contour->hole = !ClipperLib::Orientation(path);
    contour->points.resize(path.size());
    for (size_t i = 0; i < path.size(); i++)
        contour->points[i] = {path[i].X / Scale, path[i].Y / Scale};
}

ClipPolygon FromClipperPaths(const ClipperLib::Paths& paths) {
    ClipPolygon polygon;
    polygon.contours.resize(paths.size());
    for (size_t i = 0; i < paths.size(); i++)
        FromClipperPath(paths[i], &polygon.contours[i]);
    return polygon;
}

// Each contour from its least point: where the sweep starts a contour depends on the points it was
// given, set aside or not, and an area summed from another start differs in its last bits.
void StartAtLeastPoint(ClipperLib::Path* path) {
    std::rotate(path->begin(),
                std::min_element(path->begin(), path->end(),
                                 [](const auto& a, const auto& b) { return a.X != b.X ? a.X < b.X : a.Y < b.Y; }),
                path->end());
}

// The same number for each pass through the same point: the index of its first pass, found through a
// hash table of the points, which costs a few steps a point where a sort cost dozens (on a small
// building the sort took a quarter of the whole calculation). True when some point is passed twice.
bool NumberPoints(const ClipperLib::Path& path, std::vector<size_t>* id) {
    size_t n = path.size();
    int bits = 4;
    while ((size_t{1} << bits) < 2 * n)
        bits++;
    size_t mask = (size_t{1} << bits) - 1;
    std::vector<size_t> table(mask + 1, n);  // an index into the path, or n for a free slot
    id->resize(n);
    bool repeated = false;
    for (size_t i = 0; i < n; i++) {
        uint64_t hash = static_cast<uint64_t>(path[i].X) * 0x9E3779B97F4A7C15ull +
                        static_cast<uint64_t>(path[i].Y) * 0xC2B2AE3D27D4EB4Full;
        size_t slot = static_cast<size_t>(hash >> (64 - bits));
        while (table[slot] != n && !(path[table[slot]] == path[i]))
            slot = (slot + 1) & mask;
        if (table[slot] == n)
            table[slot] = i;
        repeated = repeated || table[slot] != i;
        (*id)[i] = table[slot];
    }
    return repeated;
}

// The loops of a closed path that passes more than once through the same point, each a path of its
// own: the points between two passes through a point are taken off a stack as one loop. A loop of
// fewer than three points (a spike) has no area and is dropped.
void SplitAtRepeatedPoints(ClipperLib::Path path, ClipperLib::Paths* loops) {
    size_t n = path.size();
    std::vector<size_t> id;
    if (!NumberPoints(path, &id)) {
        loops->push_back(std::move(path));
        return;
    }
    std::vector<size_t> stack;
    std::vector<size_t> place(n, n);  // where a point stands on the stack, or n
    auto emit = [&](size_t from) {
        if (stack.size() - from >= 3) {
            ClipperLib::Path loop;
            for (size_t k = from; k < stack.size(); k++)
                loop.push_back(path[stack[k]]);
            loops->push_back(std::move(loop));
        }
        for (size_t k = from; k < stack.size(); k++)
            place[id[stack[k]]] = n;
        stack.resize(from);
    };
    for (size_t i = 0; i < n; i++) {
        size_t first = place[id[i]];
        if (first != n)
            emit(first);  // also takes the first pass off, which goes back on just below
        place[id[i]] = stack.size();
        stack.push_back(i);
    }
    emit(0);
}

bool Sweep(ClipperLib::ClipType operation, const ClipperLib::Paths& subject, const ClipperLib::Paths& clip,
           ClipperLib::Paths* solution, bool* added) {
    ClipperLib::Clipper clipper;
    *added = clipper.AddPaths(subject, ClipperLib::ptSubject, true);
    *added = clipper.AddPaths(clip, ClipperLib::ptClip, true) || *added;
    return !*added || clipper.Execute(operation, *solution, ClipperLib::pftNonZero, ClipperLib::pftNonZero);
}

bool ExecutePaths(ClipperLib::ClipType operation, const ClipperLib::Paths& subject, const ClipperLib::Paths& clip,
                  ClipPolygon* result, bool strictlySimple = false) {
    ClipperLib::Paths solution;
    bool added = false;
    // The quiet runs of the arcs stay out of the sweep; should one not come back as it went, the whole
    // paths are swept after all.
    QuietRuns quiet;
    ClipperLib::Paths shortened;
    bool swept = quiet.setAside(subject, clip, &shortened) && Sweep(operation, shortened, clip, &solution, &added) &&
                 added && quiet.restore(&solution);
    if (!swept) {
        solution.clear();
        if (!Sweep(operation, subject, clip, &solution, &added))
            return false;
    }
    // The clipper reports a failure when it has no edge to sweep; shapes of no area give an empty result.
    if (!added) {
        *result = ClipPolygon();
        return true;
    }
    // The clipper's own strictly simple mode compares every point of a contour with every other one,
    // which took seconds on outlines of ten thousand points; its plain output joins touching contours
    // only at a point they both pass through, which a table of the points finds.
    if (strictlySimple) {
        ClipperLib::Paths loops;
        for (ClipperLib::Path& path : solution)
            SplitAtRepeatedPoints(std::move(path), &loops);
        solution = std::move(loops);
    }
    for (ClipperLib::Path& path : solution)
        StartAtLeastPoint(&path);
    *result = FromClipperPaths(solution);
    return true;
}

bool Execute(ClipperLib::ClipType operation, const ClipPolygon& subject, const ClipPolygon& clip, ClipPolygon* result,
             bool strictlySimple = false) {
    try {
        ClipperLib::Paths subjectPaths, clipPaths;
        return ToClipperPaths(subject, &subjectPaths) && ToClipperPaths(clip, &clipPaths) &&
               ExecutePaths(operation, subjectPaths, clipPaths, result, strictlySimple);
    } catch (...) {
        return false;
    }
}

// Which side of the line from a to b c lies on: exact on the clipper's whole range, whose products of two
// coordinates need 124 bits.
int Side(const ClipperLib::IntPoint& a, const ClipperLib::IntPoint& b, const ClipperLib::IntPoint& c) {
    __int128 cross = static_cast<__int128>(b.X - a.X) * (c.Y - a.Y) - static_cast<__int128>(b.Y - a.Y) * (c.X - a.X);
    return cross > 0 ? 1 : cross < 0 ? -1 : 0;
}

// Drops repeated points and every point on the line through its neighbours (a spike too), as the
// clipper drops them from what it sweeps, until none is left to drop. The points kept so far stand at the
// front of the path, never past the one read next, so no second path is needed.
void DropPointsOnLines(ClipperLib::Path* path) {
    ClipperLib::Path& points = *path;
    size_t kept = 0;
    for (size_t i = 0; i < points.size(); i++) {
        points[kept++] = points[i];
        while (kept >= 2 && points[kept - 1] == points[kept - 2])
            kept--;
        while (kept >= 3 && Side(points[kept - 3], points[kept - 2], points[kept - 1]) == 0) {
            points[kept - 2] = points[kept - 1];
            kept--;
            while (kept >= 2 && points[kept - 1] == points[kept - 2])
                kept--;
        }
    }
    points.resize(kept);
    // Round the join of the last point to the first, until neither end changes.
    size_t before = 0;
    while (points.size() >= 3 && points.size() != before) {
        before = points.size();
        if (points.front() == points.back() || Side(points[points.size() - 2], points.back(), points.front()) == 0)
            points.pop_back();
        else if (Side(points.back(), points.front(), points[1]) == 0)
            points.erase(points.begin());
    }
}

bool Within(const ClipperLib::IntPoint& a, const ClipperLib::IntPoint& b, const ClipperLib::IntPoint& p) {
    return std::min(a.X, b.X) <= p.X && p.X <= std::max(a.X, b.X) && std::min(a.Y, b.Y) <= p.Y &&
           p.Y <= std::max(a.Y, b.Y);
}

// Whether the segments share any point, ends included.
bool SegmentsMeet(const ClipperLib::IntPoint& a, const ClipperLib::IntPoint& b, const ClipperLib::IntPoint& c,
                  const ClipperLib::IntPoint& d) {
    int abc = Side(a, b, c), abd = Side(a, b, d), cda = Side(c, d, a), cdb = Side(c, d, b);
    if (abc * abd < 0 && cda * cdb < 0)
        return true;
    return (abc == 0 && Within(a, b, c)) || (abd == 0 && Within(a, b, d)) || (cda == 0 && Within(c, d, a)) ||
           (cdb == 0 && Within(c, d, b));
}

// Whether the ring winds once round the centre and no two of its edges meet but neighbours at their
// shared end. Two edges that meet do so on a ray from the centre that both reach, so only edges whose
// turns about the centre overlap are compared; where every step turns forward, as on a ring walked round
// the centre, that is none, and the grid's rounding turns back only a few short steps.
bool WindsOnceWithoutCrossing(const ClipperLib::Path& path, Point centre, const std::function<bool()>& stopped) {
    const double cx = centre.x * Scale, cy = centre.y * Scale, slack = 1e-9;
    // A turn counts 4: the angle's stand-in grows with it, quarter by quarter, and costs no arc tangent.
    auto quarters = [&](const ClipperLib::IntPoint& p) {
        double x = static_cast<double>(p.X) - cx, y = static_cast<double>(p.Y) - cy, sum = std::fabs(x) + std::fabs(y);
        if (!(sum > 0.0))
            return -1.0;
        double t = y / sum;  // from -1 to 1 across each half
        return x >= 0.0 ? (y >= 0.0 ? t : 4.0 + t) : 2.0 - t;
    };
    size_t n = path.size();
    const double turn = 4.0;
    std::vector<double> angle(n + 1);  // about the centre, unrolled along the ring
    for (size_t i = 0; i <= n; i++) {
        double a = quarters(path[i % n]);
        if (a < 0.0)
            return false;  // a point on the centre
        if (i > 0) {
            while (a - angle[i - 1] > turn / 2)
                a -= turn;
            while (angle[i - 1] - a > turn / 2)
                a += turn;
        }
        angle[i] = a;
    }
    if (std::fabs(angle[n] - angle[0] - turn) > 0.5 || stopped())
        return false;
    // Edge k runs from point k to point k + 1; edges n and on are the first ones again, a turn later.
    // The indices wrap by a subtraction: a division on every edge was a fifth of the check.
    auto wrap = [n](size_t k) { return k >= n ? k - n : k; };
    auto low = [&](size_t k) {
        double whole = k >= n ? turn : 0.0;
        size_t i = wrap(k);
        return std::min(angle[i], angle[i + 1]) + whole;
    };
    auto high = [&](size_t k) {
        double whole = k >= n ? turn : 0.0;
        size_t i = wrap(k);
        return std::max(angle[i], angle[i + 1]) + whole;
    };
    std::vector<double> reach(n);  // the highest turn of edges 0 to k
    for (size_t k = 0; k < n; k++)
        reach[k] = std::max(k ? reach[k - 1] : high(0), high(k));
    for (size_t j = 2; j < 2 * n; j++) {
        double from = low(j);
        if (j >= n && from > reach[n - 1] + slack)
            break;
        size_t jn = wrap(j), after = wrap(jn + 1);
        for (size_t k = std::min(j - 2, n - 1) + 1; k-- > 0 && reach[k] + slack >= from;) {
            bool neighbours = after == k || wrap(k + 1) == jn;
            if (k == jn || neighbours || high(k) + slack < from)
                continue;
            if (SegmentsMeet(path[k], path[wrap(k + 1)], path[jn], path[after]))
                return false;
        }
    }
    return true;
}

}  // namespace

// Each step takes a few hundredths of a second on a ring of a million points. The form takes the ring's
// storage, read by then: a fresh vector was a third of the pages a traced run touched.
bool StarRingForm(std::vector<Point> ring, Point centre, ClipContour* contour, const std::function<bool()>& stopped) {
    ClipperLib::Path path;
    if (!ToClipperPath(ring, false, &path) || stopped())
        return false;
    DropPointsOnLines(&path);
    if (path.size() < 3 || stopped() || !WindsOnceWithoutCrossing(path, centre, stopped) || stopped())
        return false;
    StartAtLeastPoint(&path);
    ClipContour form{false, std::move(ring)};
    FromClipperPath(path, &form);
    *contour = std::move(form);
    return true;
}

ClipPolygon SingleContourPolygon(const Point* points, int32_t count) {
    ClipPolygon polygon;
    polygon.contours.resize(1);
    polygon.contours[0].points.assign(points, points + count);
    return polygon;
}

ClipPolygon SingleContourPolygon(ClipContour contour) {
    ClipPolygon polygon;
    polygon.contours.push_back(std::move(contour));
    return polygon;
}

bool NormalForm(const ClipPolygon& polygon, ClipPolygon* result) {
    return Execute(ClipperLib::ctUnion, polygon, ClipPolygon(), result);  // same as with itself, half the work
}

bool StrictlySimpleForm(const ClipPolygon& polygon, ClipPolygon* result) {
    return Execute(ClipperLib::ctUnion, polygon, ClipPolygon(), result, true);
}

bool ClipUnion(const ClipPolygon& subject, const ClipPolygon& clip, ClipPolygon* result) {
    return Execute(ClipperLib::ctUnion, subject, clip, result);
}

bool ClipDifference(const ClipPolygon& subject, const ClipPolygon& clip, ClipPolygon* result, bool strictlySimple) {
    return Execute(ClipperLib::ctDifference, subject, clip, result, strictlySimple);
}

// Each part winds +1 inside and 0 outside, so under the non-zero rule their sum fills the union.
bool ClipUnionAll(const std::vector<ClipPolygon>& parts, ClipPolygon* result) {
    try {
        ClipperLib::Paths subjectPaths;
        for (const ClipPolygon& part : parts)
            if (!ToClipperPaths(part, &subjectPaths))
                return false;
        return ExecutePaths(ClipperLib::ctUnion, subjectPaths, ClipperLib::Paths(), result);
    } catch (...) {
        return false;
    }
}

int32_t OuterContourCount(const ClipPolygon& polygon) {
    int32_t outer = 0;
    for (const ClipContour& contour : polygon.contours)
        outer += contour.hole ? 0 : 1;
    return outer;
}

double RegionArea(const ClipPolygon& polygon) {
    double area = 0.0;
    for (const ClipContour& contour : polygon.contours) {
        double a = PolygonArea(contour.points.data(), static_cast<int32_t>(contour.points.size()));
        area += contour.hole ? -a : a;
    }
    return area;
}
