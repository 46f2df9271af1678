// The quiet runs of arcs set aside from a sweep of the clipper: the sweep of the shortened paths with
// the runs put back gives the very contours the sweep of the whole paths gives.
#include "engine/clipper/quiet_runs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/geometry/geometry.h"

namespace {

using ClipperLib::IntPoint;
using ClipperLib::Path;
using ClipperLib::Paths;

// The circle polygon in the clipper's micrometres, counter-clockwise unless reversed.
Path Circle(double cx, double cy, double r, bool reversed = false) {
    Path path;
    std::vector<Point> points = CirclePolygon(cx, cy, r);
    for (size_t k = 0; k + 1 < points.size(); k++)
        path.emplace_back(static_cast<ClipperLib::cInt>(points[k].x * 1e6),
                          static_cast<ClipperLib::cInt>(points[k].y * 1e6));
    if (reversed)
        std::reverse(path.begin(), path.end());
    return path;
}

Path Box(double x0, double y0, double x1, double y1) {
    return {IntPoint(static_cast<ClipperLib::cInt>(x0 * 1e6), static_cast<ClipperLib::cInt>(y0 * 1e6)),
            IntPoint(static_cast<ClipperLib::cInt>(x1 * 1e6), static_cast<ClipperLib::cInt>(y0 * 1e6)),
            IntPoint(static_cast<ClipperLib::cInt>(x1 * 1e6), static_cast<ClipperLib::cInt>(y1 * 1e6)),
            IntPoint(static_cast<ClipperLib::cInt>(x0 * 1e6), static_cast<ClipperLib::cInt>(y1 * 1e6))};
}

Paths Sweep(ClipperLib::ClipType operation, const Paths& subject, const Paths& clip) {
    ClipperLib::Clipper clipper;
    clipper.AddPaths(subject, ClipperLib::ptSubject, true);
    clipper.AddPaths(clip, ClipperLib::ptClip, true);
    Paths solution;
    EXPECT_TRUE(clipper.Execute(operation, solution, ClipperLib::pftNonZero, ClipperLib::pftNonZero));
    return solution;
}

// Each contour from its least point, the contours in order: the same region drawn the same way.
std::vector<Path> Canonical(Paths paths) {
    auto less = [](const IntPoint& a, const IntPoint& b) { return a.X != b.X ? a.X < b.X : a.Y < b.Y; };
    for (Path& path : paths)
        std::rotate(path.begin(), std::min_element(path.begin(), path.end(), less), path.end());
    std::sort(paths.begin(), paths.end(), [&](const Path& a, const Path& b) {
        return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), less);
    });
    return paths;
}

size_t PointCount(const Paths& paths) {
    size_t count = 0;
    for (const Path& path : paths)
        count += path.size();
    return count;
}

}  // namespace

TEST(QuietRuns, SweepOfTheShortenedPathsGivesTheWholeResult) {
    struct Case {
        std::string what;
        ClipperLib::ClipType operation;
        Paths subject, clip;
        bool setAside;  // whether any run is quiet
    };
    const Case cases[] = {
        {"a lone circle", ClipperLib::ctUnion, {Circle(0, 0, 50)}, {}, true},
        {"two circles overlapping", ClipperLib::ctUnion, {Circle(0, 0, 50), Circle(30, 10, 40)}, {}, true},
        {"a circle inside a larger one", ClipperLib::ctUnion, {Circle(0, 0, 50), Circle(5, 0, 20)}, {}, true},
        {"a bar across the arcs", ClipperLib::ctUnion, {Circle(0, 0, 50), Box(-80, -1, 80, 1)}, {}, true},
        {"a circle less a footprint inside it",
         ClipperLib::ctDifference,
         {Circle(0, 0, 50)},
         {Box(-5, -5, 5, 5)},
         true},
        {"a circle less a box over its rim",
         ClipperLib::ctDifference,
         {Circle(0, 0, 50)},
         {Box(40, -60, 60, 60)},
         true},
        {"a clockwise circle, a hole", ClipperLib::ctUnion, {Circle(0, 0, 50, true), Box(-90, -90, 90, 90)}, {}, false},
        {"a circle so small its points meet on the grid", ClipperLib::ctUnion, {Circle(0, 0, 2e-5)}, {}, false},
        {"a box, too few points to gain anything", ClipperLib::ctUnion, {Box(0, 0, 1, 1)}, {}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QuietRuns quiet;
        Paths shortened;
        ASSERT_EQ(quiet.setAside(c.subject, c.clip, &shortened), c.setAside);
        Paths whole = Sweep(c.operation, c.subject, c.clip);
        if (!c.setAside)
            continue;
        EXPECT_LT(PointCount(shortened), PointCount(c.subject) / 4);
        Paths restored = Sweep(c.operation, shortened, c.clip);
        ASSERT_TRUE(quiet.restore(&restored));
        EXPECT_EQ(Canonical(restored), Canonical(whole));
    }
}

// A result in which a chord does not show as it was set aside is refused, so that the caller sweeps the
// whole paths instead of putting points back where they do not belong.
TEST(QuietRuns, ResultWithAChordBrokenIsRefused) {
    struct Case {
        std::string what;
        int change;  // 0: a point between the chord's ends; 1: the chord's start left out
    };
    const Case cases[] = {{"a point inserted in a chord", 0}, {"the start of a chord dropped", 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QuietRuns quiet;
        Paths shortened;
        Paths subject = {Circle(0, 0, 50)};
        ASSERT_TRUE(quiet.setAside(subject, {}, &shortened));
        Paths solution = Sweep(ClipperLib::ctUnion, shortened, {});
        ASSERT_EQ(solution.size(), 1u);
        Paths intact = solution;
        ASSERT_TRUE(quiet.restore(&intact));
        // The chord: two consecutive points of the result between which the restored contour gained points.
        Path& path = solution[0];
        size_t chord = 0;
        while (chord < path.size()) {
            const IntPoint& a = path[chord];
            const Path& full = intact[0];
            size_t at = std::find(full.begin(), full.end(), a) - full.begin();
            if (at < full.size() && !(full[(at + 1) % full.size()] == path[(chord + 1) % path.size()]))
                break;
            chord++;
        }
        ASSERT_LT(chord, path.size());
        IntPoint a = path[chord], b = path[(chord + 1) % path.size()];
        if (c.change == 0)
            path.insert(path.begin() + static_cast<long>(chord) + 1, IntPoint((a.X + b.X) / 2, (a.Y + b.Y) / 2));
        else
            path.erase(path.begin() + static_cast<long>(chord));
        EXPECT_FALSE(quiet.restore(&solution));
    }
}
