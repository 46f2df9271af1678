#include "engine/clipper.h"

#include <clipper.hpp>

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

bool ExecutePaths(ClipperLib::ClipType operation, const ClipperLib::Paths& subject, const ClipperLib::Paths& clip,
                  ClipPolygon* result, bool strictlySimple = false) {
    ClipperLib::Clipper clipper;
    clipper.StrictlySimple(strictlySimple);
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
    *result = FromClipperPaths(solution);
    return true;
}

bool Execute(ClipperLib::ClipType operation, const ClipPolygon& subject, const ClipPolygon& clip,
             ClipPolygon* result, bool strictlySimple = false) {
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

// Ten times the cost of a plain union, so only finished outlines go through it.
bool StrictlySimpleForm(const ClipPolygon& polygon, ClipPolygon* result) {
    return Execute(ClipperLib::ctUnion, polygon, ClipPolygon(), result, true);
}

bool ClipUnion(const ClipPolygon& subject, const ClipPolygon& clip, ClipPolygon* result) {
    return Execute(ClipperLib::ctUnion, subject, clip, result);
}

bool ClipDifference(const ClipPolygon& subject, const ClipPolygon& clip, ClipPolygon* result,
                    bool strictlySimple) {
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
