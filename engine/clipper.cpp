#include "engine/clipper.h"

#include <clipper.hpp>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

constexpr double Scale = 1e6;  // metres to the clipper's integer micrometres
// Comfortably inside the clipper's 62-bit range, so its own range check never throws on our input.
constexpr double CoordinateLimit = 1e18;

bool ToClipperPath(const ClipContour& contour, ClipperLib::Path* path) {
    path->reserve(contour.points.size());
    for (const Point& p : contour.points) {
        double x = p.x * Scale, y = p.y * Scale;
        if (!(std::fabs(x) < CoordinateLimit && std::fabs(y) < CoordinateLimit))  // also false for NaN
            return false;
        path->emplace_back(std::llround(x), std::llround(y));
    }
    // Orientation carries the hole flag under the non-zero fill rule: outer contours counter-clockwise.
    if (ClipperLib::Orientation(*path) == contour.hole)
        ClipperLib::ReversePath(*path);
    return true;
}

bool ToClipperPaths(const ClipPolygon& polygon, ClipperLib::Paths* paths) {
    for (const ClipContour& contour : polygon.contours) {
        ClipperLib::Path path;
        if (!ToClipperPath(contour, &path))
            return false;
        paths->push_back(std::move(path));
    }
    return true;
}

ClipPolygon FromClipperPaths(const ClipperLib::Paths& paths) {
    ClipPolygon polygon;
    polygon.contours.resize(paths.size());
    for (size_t i = 0; i < paths.size(); i++) {
        ClipContour& contour = polygon.contours[i];
        contour.hole = !ClipperLib::Orientation(paths[i]);
        contour.points.reserve(paths[i].size());
        for (const ClipperLib::IntPoint& p : paths[i])
            contour.points.push_back({p.X / Scale, p.Y / Scale});
    }
    return polygon;
}

// The loops of a closed path that passes more than once through the same point, each a path of its
// own: the points between two passes through a point are taken off a stack as one loop. A loop of
// fewer than three points (a spike) has no area and is dropped.
void SplitAtRepeatedPoints(const ClipperLib::Path& path, ClipperLib::Paths* loops) {
    size_t n = path.size();
    struct Entry {
        ClipperLib::cInt x, y;
        size_t index;
        bool operator<(const Entry& other) const {
            return x != other.x ? x < other.x : y != other.y ? y < other.y : index < other.index;
        }
    };
    std::vector<Entry> order(n);  // the points themselves, sorted without a lookup per comparison
    for (size_t i = 0; i < n; i++)
        order[i] = {path[i].X, path[i].Y, i};
    std::sort(order.begin(), order.end());
    std::vector<size_t> id(n);  // the same number for the same point
    bool repeated = false;
    for (size_t k = 0; k < n; k++) {
        bool same = k > 0 && order[k].x == order[k - 1].x && order[k].y == order[k - 1].y;
        id[order[k].index] = same ? id[order[k - 1].index] : order[k].index;
        repeated = repeated || same;
    }
    if (!repeated) {
        loops->push_back(path);
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

bool ExecutePaths(ClipperLib::ClipType operation, const ClipperLib::Paths& subject, const ClipperLib::Paths& clip,
                  ClipPolygon* result, bool strictlySimple = false) {
    ClipperLib::Clipper clipper;
    ClipperLib::Paths solution;
    bool added = clipper.AddPaths(subject, ClipperLib::ptSubject, true);
    added = clipper.AddPaths(clip, ClipperLib::ptClip, true) || added;
    // The clipper reports a failure when it has no edge to sweep; shapes of no area give an empty result.
    if (!added) {
        *result = ClipPolygon();
        return true;
    }
    if (!clipper.Execute(operation, solution, ClipperLib::pftNonZero, ClipperLib::pftNonZero))
        return false;
    // The clipper's own strictly simple mode compares every point of a contour with every other one,
    // which took seconds on outlines of ten thousand points; its plain output joins touching contours
    // only at a point they both pass through, which a sort finds.
    if (strictlySimple) {
        ClipperLib::Paths loops;
        for (const ClipperLib::Path& path : solution)
            SplitAtRepeatedPoints(path, &loops);
        solution = std::move(loops);
    }
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

}  // namespace

ClipPolygon SingleContourPolygon(const Point* points, int32_t count) {
    ClipPolygon polygon;
    polygon.contours.resize(1);
    polygon.contours[0].points.assign(points, points + count);
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
