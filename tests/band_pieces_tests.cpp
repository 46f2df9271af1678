// Tests of the engine's cut-down pieces: the circle polygon cut a block of points at a time against the
// plain rule applied point by point, and the grid of filed shapes, whose cuts must remove only what the
// filed shapes cover.
#include "engine/construction/disc_arcs.h"
#include "engine/index/cover_grid.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "engine/clipper/clipper.h"

namespace {

using Inside = std::function<bool(Point)>;

// The cut rule point by point: a point stays when it lies outside, or next to one outside.
std::vector<Point> PlainCut(const std::vector<Point>& points, const Inside& inside) {
    size_t n = points.size();
    std::vector<char> in(n);
    for (size_t i = 0; i < n; i++)
        in[i] = inside(points[i]);
    std::vector<Point> kept;
    if (std::all_of(in.begin(), in.end(), [](char c) { return c != 0; }))
        return kept;
    for (size_t i = 0; i < n; i++)
        if (!in[i] || !in[(i + n - 1) % n] || !in[(i + 1) % n])
            kept.push_back(points[i]);
    return kept;
}

std::vector<Point> Sorted(std::vector<Point> points) {
    std::sort(points.begin(), points.end(), [](Point a, Point b) { return a.x != b.x ? a.x < b.x : a.y < b.y; });
    return points;
}

void ExpectSamePoints(const std::vector<Point>& got, const std::vector<Point>& expected, const char* what) {
    std::vector<Point> a = Sorted(got), b = Sorted(expected);
    ASSERT_EQ(a.size(), b.size()) << what;
    for (size_t i = 0; i < a.size(); i++)
        ASSERT_TRUE(a[i].x == b[i].x && a[i].y == b[i].y) << what << ": point " << i;
}

std::vector<Point> OpenCircle(Point centre, double r) {
    std::vector<Point> circle = CirclePolygon(centre.x, centre.y, r);
    circle.pop_back();
    return circle;
}

Trapezoid Band(Point a, Point b, double rA, double rB) {
    return Trapezoid(BandCorners(a, b, rA, rB));
}

}  // namespace

// Blocks decided from their ends and the circle's extreme point must keep exactly the points the plain
// rule keeps, for cutters that take nothing, a part, or all, neighbours nearly on top of each other as
// on a finely drawn round building, and map coordinates.
TEST(DiscArc, BlockCutsKeepWhatThePointRuleKeeps) {
    const Point utm{512345.25, 5432100.5};
    const struct {
        const char* what;
        Point centre;
        double r;
        int kind;  // 0 trapezoid, 1 circle, 2 convex shape
        Point a, b;
        double rA, rB;
    } cases[] = {
        {"band through the centre", {0, 0}, 30, 0, {-40, 0}, {40, 0}, 10, 20},
        {"band from the centre", {0, 0}, 30, 0, {0, 0}, {25, 5}, 30, 10},
        {"band far away", {0, 0}, 30, 0, {100, 100}, {120, 100}, 5, 5},
        {"band holding the disc", {0, 0}, 3, 0, {-10, 0}, {10, 0}, 10, 10},
        {"neighbour 5 cm away, same radius", {0, 0}, 60, 1, {0.05, 0.001}, {}, 60, 0},
        {"neighbour 5 cm away, larger", {0, 0}, 60, 1, {0.0499, -0.002}, {}, 60.02, 0},
        {"neighbour 30 m away", {0, 0}, 60, 1, {30, 10}, {}, 75, 0},
        {"neighbour holding the disc", {0, 0}, 10, 1, {1, 1}, {}, 50, 0},
        {"neighbour at map coordinates", utm, 500, 1, {utm.x + 0.25, utm.y - 0.01}, {}, 500, 0},
        {"tiny disc and neighbour", {1, 1}, 0.01, 1, {1.005, 1}, {}, 0.01, 0},
        // Points of the disc inside the neighbour's circle but beyond the chords of its circle polygon.
        {"neighbour whose chords pass inside the points", {0, 2.83}, 100, 1, {0, 0}, {}, 100.05, 0},
        {"square over a quarter", {0, 0}, 20, 2, {0, 0}, {40, 40}, 0, 0},
    };
    for (const auto& c : cases) {
        DiscArc arc(c.centre, c.r);
        Inside inside;
        if (c.kind == 0) {
            Trapezoid band = Band(c.a, c.b, c.rA, c.rB);
            arc.cutByTrapezoid(band);
            inside = [band](Point p) { return band.contains(p); };
        } else if (c.kind == 1) {
            arc.cutByCircle(c.a, c.rA);
            inside = [c](Point p) { return InsideCircle(c.a, c.rA, p); };
        } else {
            ConvexShape square({c.a, {c.b.x, c.a.y}, c.b, {c.a.x, c.b.y}});
            arc.cutByShape(square);
            inside = [square](Point p) { return square.contains(p); };
        }
        ExpectSamePoints(arc.points(), PlainCut(OpenCircle(c.centre, c.r), inside), c.what);
    }
}

// One cut after another keeps what the point rule keeps applied to what the first left.
TEST(DiscArc, SuccessiveCutsKeepWhatThePointRuleKeeps) {
    Trapezoid band = Band({0, 0}, {0.4, 0.02}, 40, 41);
    Point neighbour{-0.3, 0.05};
    DiscArc arc({0, 0}, 40);
    arc.cutByTrapezoid(band);
    arc.cutByCircle(neighbour, 39.9);
    std::vector<Point> expected = PlainCut(OpenCircle({0, 0}, 40), [&](Point p) { return band.contains(p); });
    expected = PlainCut(expected, [&](Point p) { return InsideCircle(neighbour, 39.9, p); });
    ExpectSamePoints(arc.points(), expected, "band, then neighbour");
}

// The piece is the disc less what lies right of its chords, and filed so it covers no more than that.
TEST(DiscArc, ChordsBoundTheKeptPiece) {
    DiscArc arc({10, 20}, 30);
    arc.cutByTrapezoid(Band({10, 20}, {50, 20}, 30, 30));  // takes the half right of x = 10
    std::vector<Point> piece = arc.points();
    ASSERT_FALSE(piece.empty());
    CoverGrid grid({-100, -100}, {100, 100}, 4);
    grid.fileDisc({10, 20}, 30, arc.chords());
    const struct {
        Point p;
        bool covered;
    } probes[] = {{{0, 20}, true},   {{9.9, 20}, true}, {{10.1, 20}, false},
                  {{30, 20}, false}, {{-15, 30}, true}, {{-30, 20}, false}};
    for (const auto& probe : probes)
        EXPECT_EQ(grid.covering(probe.p) >= 0, probe.covered) << probe.p.x << ", " << probe.p.y;
}

// Whatever the grid cuts away must lie in the shapes filed in it: the piece less its cut-down self,
// less the filed shapes, leaves nothing; and a piece inside one filed shape vanishes.
TEST(CoverGrid, CutAwayPartsLieInFiledShapes) {
    CoverGrid grid({-200, -200}, {200, 200}, 5);
    grid.fileDisc({0, 0}, 50);
    grid.fileTrapezoid(Band({40, 0}, {120, 10}, 20, 5));
    grid.fileConvex(ConvexShape({{-80, -80}, {-40, -80}, {-40, -40}, {-80, -40}}));
    ClipPolygon filed;
    filed.contours = {{false, OpenCircle({0, 0}, 50)}, {false, {{-80, -80}, {-40, -80}, {-40, -40}, {-80, -40}}}};
    std::array<Point, 4> band = BandCorners({40, 0}, {120, 10}, 20, 5);
    filed.contours.push_back({false, {band.begin(), band.end()}});
    ClipPolygon filedUnion;
    ASSERT_TRUE(NormalForm(filed, &filedUnion));
    const struct {
        const char* what;
        std::vector<Point> piece;
        bool vanishes;
    } cases[] = {
        {"disc across the filed disc's rim", OpenCircle({45, 5}, 20), false},
        {"disc inside the filed disc", OpenCircle({5, -5}, 30), true},
        {"disc across the band and the disc", OpenCircle({60, 0}, 25), false},
        {"square across the filed square", {{-60, -60}, {-20, -60}, {-20, -20}, {-60, -20}}, false},
        {"square far from everything", {{150, 150}, {160, 150}, {160, 160}, {150, 160}}, false},
    };
    for (const auto& c : cases) {
        std::vector<Point> cut = grid.cut(c.piece);
        EXPECT_EQ(cut.empty(), c.vanishes) << c.what;
        ClipPolygon removed, uncovered;
        ASSERT_TRUE(ClipDifference(SingleContourPolygon(c.piece.data(), static_cast<int32_t>(c.piece.size())),
                                   SingleContourPolygon(cut.data(), static_cast<int32_t>(cut.size())), &removed));
        ASSERT_TRUE(ClipDifference(removed, filedUnion, &uncovered));
        EXPECT_LT(RegionArea(uncovered), 1e-6) << c.what;
    }
    std::vector<Point> far = {{150, 150}, {160, 150}, {160, 160}, {150, 160}};
    ExpectSamePoints(grid.cut(far), far, "untouched piece keeps every point");
}

// Cutting the circle polygon by the grid a block at a time, like cutting its points, leaves a part of
// it whose union with the filed shapes is the whole disc's.
TEST(CoverGrid, DiscCutByTheGridLeavesTheUnionWithTheFiledShapes) {
    CoverGrid grid({-300, -300}, {300, 300}, 6.25);
    grid.fileDisc({-20, 0}, 100);
    grid.fileTrapezoid(Band({0, -50}, {0, 50}, 80, 80));
    ClipPolygon filed;
    std::array<Point, 4> band = BandCorners({0, -50}, {0, 50}, 80, 80);
    filed.contours = {{false, OpenCircle({-20, 0}, 100)}, {false, {band.begin(), band.end()}}};
    for (Point centre : {Point{10, 5}, Point{-60, 40}, Point{150, -20}}) {
        DiscArc arc(centre, 90);
        arc.cutByGrid(grid);
        std::vector<Point> whole = OpenCircle(centre, 90);
        for (const std::vector<Point>& piece : {arc.points(), grid.cut(whole), whole}) {
            ClipPolygon withFiled = filed, united, beyond;
            withFiled.contours.push_back({false, piece});
            ASSERT_TRUE(NormalForm(withFiled, &united));
            ClipPolygon wholeWithFiled = filed, wholeUnited;
            wholeWithFiled.contours.push_back({false, whole});
            ASSERT_TRUE(NormalForm(wholeWithFiled, &wholeUnited));
            EXPECT_NEAR(RegionArea(united), RegionArea(wholeUnited), 1e-9 * RegionArea(wholeUnited)) << centre.x;
            ASSERT_TRUE(ClipDifference(SingleContourPolygon(piece.data(), static_cast<int32_t>(piece.size())),
                                       SingleContourPolygon(whole.data(), static_cast<int32_t>(whole.size())),
                                       &beyond));
            EXPECT_LT(RegionArea(beyond), 1e-9) << centre.x;
        }
        EXPECT_LT(arc.points().size(), whole.size()) << centre.x;
    }
}

// A box is filled only where filed shapes hold every cell it meets: two discs that together cover a
// box fill it although neither does alone, and a box reaching into the gap between shapes, past their
// rims, or off the grid is not filled.
TEST(CoverGrid, FillsOnlyBoxesItsShapesHoldWhole) {
    CoverGrid grid({-200, -200}, {200, 200}, 4);
    EXPECT_FALSE(grid.fillsBox({-10, -10}, {10, 10})) << "nothing filed";
    grid.fileDisc({-30, 0}, 50);
    grid.fileDisc({30, 0}, 50);
    grid.fileTrapezoid(Band({140, -100}, {140, 100}, 30, 30));
    const struct {
        const char* what;
        Point low, high;
        bool filled;
    } cases[] = {
        {"inside one disc", {-50, -10}, {-30, 10}, true},
        {"across both discs' overlap", {-40, -20}, {40, 20}, true},
        {"reaching a disc's rim", {-40, -20}, {40, 49}, false},
        {"a point at the discs' far rim", {-79.5, 0}, {-79.5, 0}, false},
        {"inside the band", {120, -90}, {160, 90}, true},
        {"from the disc across the gap to the band", {60, -5}, {120, 5}, false},
        {"off the grid", {130, 150}, {150, 250}, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(grid.fillsBox(c.low, c.high), c.filled) << c.what;
}
