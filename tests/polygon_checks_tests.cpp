#include "engine/checks/polygon_checks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <vector>

namespace {

CalcPolygon CalcPolygonOf(const std::vector<Point>& points) {
    CalcPolygon polygon;
    for (const Point& p : points)
        polygon.vertices.push_back({p.x, p.y, 10.0});
    return polygon;
}

CalcInput MakeInput(const std::vector<std::vector<Point>>& polygons) {
    CalcInput input;
    for (const std::vector<Point>& points : polygons)
        input.polygons.push_back(CalcPolygonOf(points));
    return input;
}

void AddPolygon(Drawing* target, const std::vector<Point>& points) {
    std::vector<double> x, y, height;
    for (const Point& p : points) {
        x.push_back(p.x);
        y.push_back(p.y);
        height.push_back(5.0 + p.x);
    }
    PolygonRecord polygon;
    SetPolygonName(&polygon, "block");
    SetPolygonVertices(&polygon, x.data(), y.data(), height.data(), static_cast<int32_t>(points.size()));
    ASSERT_TRUE(target->polygons.appendPolygon(polygon));
}

std::vector<Point> Square(double x0, double y0, double side) {
    return {{x0, y0}, {x0 + side, y0}, {x0 + side, y0 + side}, {x0, y0 + side}};
}

struct EdgeCase {
    const char* what;
    Edge first;
    Edge second;
    bool compatible;
};

// Compatibility is a property of two segments, so it must not change with the order of the edges or
// the direction of either.
const EdgeCase EdgeCases[] = {
    {"proper crossing", {{0, 0}, {10, 10}}, {{0, 10}, {10, 0}}, false},
    {"zero-length edge", {{3, 3}, {3, 3}}, {{0, 0}, {10, 0}}, false},
    {"corner of horizontal and vertical", {{0, 0}, {10, 0}}, {{10, 0}, {10, 10}}, true},
    {"sloped edges sharing a vertex", {{0, 0}, {3, 1}}, {{3, 1}, {7, -2}}, true},
    {"map", {{500000.1, 5000000.2}, {500000.7, 5000000.3}}, {{500000.7, 5000000.3}, {500001.3, 5000001.1}}, true},
    {"sloped edges sharing a fractional vertex", {{0.1, 0.2}, {0.7, 0.3}}, {{0.7, 0.3}, {1.3, 1.1}}, true},
    // Rounding puts the computed crossing of these two just inside both edges, not on the shared vertex.
    {"sloped edges sharing a vertex at a sharp angle", {{0.1, 0.1}, {0.3, 0.7}}, {{0.3, 0.7}, {0.2, 0.1}}, true},
    {"horizontal overlap", {{0, 0}, {10, 0}}, {{5, 0}, {15, 0}}, false},
    {"horizontal overlap of a micrometre", {{0, 0}, {10, 0}}, {{9.999999, 0}, {20, 0}}, false},
    {"horizontal containment", {{0, 0}, {10, 0}}, {{2, 0}, {3, 0}}, false},
    {"identical horizontal edges", {{0, 0}, {10, 0}}, {{0, 0}, {10, 0}}, false},
    {"horizontal end to end", {{0, 0}, {10, 0}}, {{10, 0}, {20, 0}}, true},
    {"horizontal on different lines", {{0, 0}, {10, 0}}, {{0, 1}, {10, 1}}, true},
    {"sloped collinear overlap", {{0, 0}, {2, 2}}, {{1, 1}, {3, 3}}, false},
    {"vertical sharing lower end", {{0, 0}, {0, 10}}, {{0, 0}, {0, 4}}, false},
    {"identical vertical edges", {{0, 0}, {0, 10}}, {{0, 0}, {0, 10}}, false},
    {"vertical overlap", {{0, 0}, {0, 10}}, {{0, 5}, {0, 15}}, false},
    {"vertical end to end", {{0, 0}, {0, 10}}, {{0, 10}, {0, 20}}, true},
    {"vertical on different lines", {{0, 0}, {0, 10}}, {{1, 0}, {1, 10}}, true},
    {"parallel sloped on different lines", {{0, 0}, {10, 5}}, {{0, 1}, {10, 6}}, true},
    {"vertical crossing sloped", {{5, 0}, {5, 10}}, {{0, 0}, {10, 10}}, false},
    {"vertical crossing horizontal", {{5, -5}, {5, 5}}, {{0, 0}, {10, 0}}, false},
    {"vertical meeting sloped at end points", {{5, 0}, {5, 10}}, {{5, 10}, {10, 12}}, true},
    {"sloped lines crossing beyond the edges", {{0, 0}, {1, 1}}, {{3, 0}, {4, -1}}, true},
    // A T-junction: the end point of one edge lies strictly inside the other. The rules reject only a
    // crossing strictly inside both edges (or a collinear overlap), so touching is accepted here.
    {"T-junction sloped", {{0, 0}, {10, 10}}, {{5, 5}, {10, 0}}, true},
    {"T-junction on vertical", {{5, 0}, {5, 10}}, {{5, 5}, {10, 7}}, true},
    {"T-junction on horizontal", {{0, 0}, {10, 0}}, {{5, 0}, {7, 3}}, true},
    {"T-junction of a vertical end on a sloped edge", {{5, 5}, {5, 10}}, {{0, 0}, {10, 10}}, true},
    {"T-junction of a vertical end on a horizontal edge", {{5, 0}, {5, 10}}, {{0, 0}, {10, 0}}, true},
    {"T-junction of a horizontal end on a sloped edge", {{0, 0}, {5, 0}}, {{0, -5}, {10, 5}}, true},
};

Edge Reversed(Edge e) {
    return {e.end, e.start};
}

}  // namespace

TEST(EdgesCompatible, TableInEveryOrderAndDirection) {
    for (const EdgeCase& c : EdgeCases) {
        for (int variant = 0; variant < 8; variant++) {
            Edge a = variant & 1 ? Reversed(c.first) : c.first;
            Edge b = variant & 2 ? Reversed(c.second) : c.second;
            bool result = variant & 4 ? EdgesCompatible(b, a) : EdgesCompatible(a, b);
            EXPECT_EQ(result, c.compatible) << c.what << ", variant " << variant;
        }
    }
}

// A nearly north-south edge at map coordinates crossing an east-west one. Computed from lines through
// the map origin, the steep line's intercept near -5e8 rounds the crossing's y by about 1e-7, outside
// the 1e-9 snap, while a horizontal edge accepts only its own exact y: the crossing was missed when the
// steep edge came first. Both orders must report it.
TEST(EdgesCompatible, SteepEdgeCrossingHorizontalAtMapCoordinatesIsCaughtInEitherOrder) {
    Edge steep{{500004, 4999995.3}, {500004.009, 5000005}};
    Edge horizontal{{500000, 5000000}, {500010, 5000000}};
    EXPECT_FALSE(EdgesCompatible(horizontal, steep));
    EXPECT_FALSE(EdgesCompatible(steep, horizontal));
}

struct PolygonCase {
    const char* what;
    std::vector<Point> points;
    bool valid;
    size_t sizeAfter;
};

TEST(CheckPolygons, SinglePolygonTable) {
    const std::vector<Point> mapShape = {
        {500000.1, 5000000.2}, {500030.7, 5000003.3}, {500041.3, 5000021.1}, {500012.9, 5000017.6}};
    const PolygonCase cases[] = {
        {"square", Square(0, 0, 10), true, 4},
        {"square closed by a repeat", {{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}}, true, 4},
        {"triangle closed by a repeat", {{0, 0}, {4, 0}, {0, 3}, {0, 0}}, true, 3},
        {"two vertices closed by a repeat", {{0, 0}, {1, 0}, {0, 0}}, false, 2},
        {"two vertices", {{0, 0}, {1, 0}}, false, 2},
        {"one vertex", {{0, 0}}, false, 1},
        {"no vertices", {}, false, 0},
        {"consecutive duplicate", {{0, 0}, {10, 0}, {10, 0}, {10, 10}}, false, 4},
        {"bow-tie", {{0, 0}, {10, 10}, {10, 0}, {0, 10}}, false, 4},
        {"doubling back on a side", {{0, 0}, {10, 0}, {5, 0}, {5, 5}}, false, 4},
        {"concave L-shape", {{0, 0}, {6, 0}, {6, 2}, {2, 2}, {2, 5}, {0, 5}}, true, 6},
        {"vertex on a straight side", {{0, 0}, {5, 0}, {10, 0}, {10, 10}, {0, 10}}, true, 5},
        {"sloped shape at map coordinates", mapShape, true, 4},
    };
    for (const PolygonCase& c : cases) {
        CalcInput input = MakeInput({c.points});
        EXPECT_EQ(CheckPolygons(&input), c.valid) << c.what;
        EXPECT_EQ(input.polygons[0].vertices.size(), c.sizeAfter) << c.what;
    }
}

// The same crossing seen from the checks: the first side runs north across the third, which runs west,
// so the quadrilateral crosses itself although the steep edge is tested first.
TEST(CheckPolygons, SelfCrossingWithSteepSideAtMapCoordinatesIsInvalid) {
    CalcInput input = MakeInput({{{500004, 4999995.3}, {500004.009, 5000005}, {500010, 5000000}, {500000, 5000000}}});
    EXPECT_FALSE(CheckPolygons(&input));
}

TEST(CheckPolygons, EmptyListIsInvalid) {
    CalcInput input;
    EXPECT_FALSE(CheckPolygons(&input));
}

// An invalid polygon must not stop the checks: the closing repeat of every later polygon is still dropped.
TEST(CheckPolygons, VisitsEveryPolygonAfterAnInvalidOne) {
    CalcInput input = MakeInput({{{0, 0}, {10, 10}, {10, 0}, {0, 10}}, {{0, 0}, {4, 0}, {4, 4}, {0, 4}, {0, 0}}});
    EXPECT_FALSE(CheckPolygons(&input));
    EXPECT_EQ(input.polygons[1].vertices.size(), 4u);
}

// 401 points of a circle of radius 50 at map coordinates, from the rational parametrisation
// ((1 - t^2) / (1 + t^2), 2t / (1 + t^2)) with t = k / 20: a convex polygon with edges of every slope
// and length from 5 mm to 5 m, whose neighbouring edges all meet at a vertex under rounding.
TEST(CheckPolygons, LargeConvexPolygonAtMapCoordinatesIsValid) {
    std::vector<Point> points;
    for (int k = -200; k <= 200; k++) {
        double t = k / 20.0;
        double d = 1.0 + t * t;
        points.push_back({500000.0 + 50.0 * (1.0 - t * t) / d, 5000000.0 + 50.0 * 2.0 * t / d});
    }
    CalcInput input = MakeInput({points});
    EXPECT_TRUE(CheckPolygons(&input));
    EXPECT_EQ(input.polygons[0].vertices.size(), 401u);
}

TEST(CheckDrawing, CalcInputCopiesEveryVertexWithItsHeight) {
    Drawing source;
    AddPolygon(&source, Square(0, 0, 10));
    AddPolygon(&source, {{20, 0}, {30, 0}, {25, 8}});
    CalcInput input = MakeCalcInput(source);
    ASSERT_EQ(input.polygons.size(), 2u);
    ASSERT_EQ(input.polygons[1].vertices.size(), 3u);
    const CalcVertex& v = input.polygons[1].vertices[2];
    EXPECT_EQ(v.x, 25.0);
    EXPECT_EQ(v.y, 8.0);
    EXPECT_EQ(v.height, 30.0);
}

TEST(CheckDrawing, EmptyDrawingIsNotReady) {
    Drawing source;
    EXPECT_FALSE(CheckDrawing(source));
}

TEST(CheckDrawing, OneSelfCrossingPolygonFailsTheDrawing) {
    Drawing source;
    AddPolygon(&source, Square(0, 0, 10));
    AddPolygon(&source, {{20, 0}, {30, 10}, {30, 0}, {20, 10}});
    AddPolygon(&source, Square(40, 0, 10));
    EXPECT_FALSE(CheckDrawing(source));
}

// Polygons are checked one by one: overlapping footprints are the union's business, not an error.
TEST(CheckDrawing, OverlappingValidPolygonsPass) {
    Drawing source;
    AddPolygon(&source, Square(0, 0, 10));
    AddPolygon(&source, Square(5, 5, 10));
    EXPECT_TRUE(CheckDrawing(source));
}

TEST(CheckDrawing, ClosingRepeatStaysInTheDrawing) {
    Drawing source;
    AddPolygon(&source, {{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}});
    EXPECT_TRUE(CheckDrawing(source));
    EXPECT_EQ(source.polygons.polygon(0).vertexCount, 5);
    EXPECT_EQ(source.polygons.polygon(0).x.size(), 5u);
    EXPECT_EQ(source.polygons.vertexCounts()[0], 5);
}

TEST(PolygonsAreNeighbours, Table) {
    const std::vector<Point> ring[] = {{{0, 0}, {10, 0}, {10, 2}, {0, 2}},
                                       {{0, 8}, {10, 8}, {10, 10}, {0, 10}},
                                       {{0, 2}, {2, 2}, {2, 8}, {0, 8}},
                                       {{8, 2}, {10, 2}, {10, 8}, {8, 8}}};
    const struct {
        const char* what;
        std::vector<std::vector<Point>> polygons;
        bool neighbours;
        int32_t outer;
    } cases[] = {
        {"no polygons", {}, true, 0},
        {"one square", {Square(0, 0, 10)}, true, 1},
        {"squares sharing an edge", {Square(0, 0, 10), Square(10, 0, 10)}, true, 1},
        {"squares one metre apart", {Square(0, 0, 10), Square(11, 0, 10)}, false, 2},
        {"ring around a courtyard", {ring[0], ring[1], ring[2], ring[3]}, true, 1},
        {"ring with an island", {ring[0], ring[1], ring[2], ring[3], Square(4, 4, 2)}, false, 2},
        {"clockwise square over another", {Square(0, 0, 10), {{5, 5}, {5, 15}, {15, 15}, {15, 5}}}, true, 1},
    };
    for (const auto& c : cases) {
        int32_t outer = -99;
        EXPECT_EQ(PolygonsAreNeighbours(MakeInput(c.polygons), &outer), c.neighbours) << c.what;
        EXPECT_EQ(outer, c.outer) << c.what;
    }
}

TEST(PolygonsAreNeighbours, ClipperFailureIsReportedAsUnknown) {
    CalcInput input = MakeInput({Square(0, 0, 10), {{20, 0}, {30, 0}, {30, 1e13}}});
    int32_t outer = 0;
    EXPECT_FALSE(PolygonsAreNeighbours(input, &outer));
    EXPECT_EQ(outer, OuterCountUnknown);
}

// Long outlines are checked by comparing only edges whose boxes meet; a crossing between edges far apart
// in the outline's order, or two edges that meet only at a shared point of their boxes, must still be
// found.
TEST(CheckPolygons, LongOutlinesFindCrossingsBetweenDistantEdges) {
    const double pi = 4 * std::atan(1.0);
    std::vector<Point> round;
    for (int i = 0; i < 3000; i++)
        round.push_back({500000 + 80 * std::cos(2 * pi * i / 3000), 5000000 + 80 * std::sin(2 * pi * i / 3000)});
    std::vector<Point> comb = {{0, 0}, {4000, 0}, {4000, 10}};
    for (int i = 1999; i >= 0; i--) {
        comb.push_back({2.0 * i + 1, 12});
        comb.push_back({2.0 * i, 10});
    }
    std::vector<Point> roundAcross = round;
    roundAcross[1500] = {500000 + 85, 5000000 + 1};  // pulled over to the far side of the circle
    std::vector<Point> combAcross = comb;
    combAcross[3] = {1000.5, 13};  // the first tooth's tip reaches over fifteen hundred teeth
    std::vector<Point> combDipping = comb;
    combDipping[2002] = {2000, -0.001};  // a notch dips a millimetre through the long bottom edge
    const struct {
        const char* what;
        const std::vector<Point>& outline;
        bool valid;
    } cases[] = {
        {"round building of 3000 vertices at map coordinates", round, true},
        {"comb of 4003 vertices", comb, true},
        {"vertex pulled across the circle", roundAcross, false},
        {"tooth reaching across the comb", combAcross, false},
        {"notch through the bottom edge", combDipping, false},
    };
    for (const auto& c : cases) {
        CalcInput input = MakeInput({c.outline});
        EXPECT_EQ(CheckPolygons(&input), c.valid) << c.what;
    }
}

// Contours that meet in one point only count as two, in whatever order the polygons come; a site of
// many blocks is counted in one go.
TEST(PolygonsAreNeighbours, PointContactsCountApartInAnyOrder) {
    std::vector<std::vector<Point>> site;
    for (int row = 0; row < 20; row++)
        for (int column = 0; column < 20; column++)  // pairs sharing a wall, 2 m between pairs
            site.push_back(Square((column / 2) * 22.0 + (column % 2) * 10.0, row * 12.0, 10));
    const std::vector<Point> figureEight = {{0, 0}, {4, 0}, {5, 5}, {10, 10}, {6, 10}, {5, 5}};
    const struct {
        const char* what;
        std::vector<std::vector<Point>> polygons;
        int32_t outer;
    } cases[] = {
        {"squares touching at a corner", {Square(0, 0, 10), Square(10, 10, 10)}, 2},
        {"figure eight", {figureEight}, 2},
        {"figure eight joined by a square over its waist", {figureEight, Square(4, 4, 2)}, 1},
        {"site of 400 blocks in pairs", site, 200},
    };
    for (const auto& c : cases) {
        std::vector<std::vector<Point>> reversed(c.polygons.rbegin(), c.polygons.rend());
        for (const auto& polygons : {c.polygons, reversed}) {
            int32_t outer = -99;
            EXPECT_EQ(PolygonsAreNeighbours(MakeInput(polygons), &outer), c.outer == 1) << c.what;
            EXPECT_EQ(outer, c.outer) << c.what;
        }
    }
}
