// Tests of the editing rules: what a click hits, how a typed decimal is read, which vertices a new
// polygon accepts, and which moves an existing polygon accepts.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <iterator>
#include <string>
#include <vector>

#include "app/drawing_lifecycle.h"
#include "editing/hit_test.h"
#include "editing/polygon_edits.h"
#include "engine/checks/polygon_checks.h"
#include "model/drawing.h"
#include "tests/session_test.h"
#include "text/decimal_text.h"
#include "text/number_field.h"
#include "view/canvas_state.h"

namespace {

struct Hit {
    bool hit;
    int32_t polygon;
    int32_t vertex;
};

void ExpectHit(const Hit& h, bool hit, int32_t polygon, int32_t vertex) {
    EXPECT_EQ(h.hit, hit);
    EXPECT_EQ(h.polygon, polygon);
    EXPECT_EQ(h.vertex, vertex);
}

// Heights differ per vertex so that a move which mixes them up shows.
PolygonRecord MakeShape(int32_t priority, const std::vector<Point>& points) {
    PolygonRecord polygon;
    SetPolygonName(&polygon, "block");
    polygon.priority = priority;
    for (const Point& p : points) {
        polygon.x.push_back(p.x);
        polygon.y.push_back(p.y);
        polygon.height.push_back(4.0 + polygon.x.size());
    }
    polygon.vertexCount = static_cast<int32_t>(points.size());
    return polygon;
}

std::vector<Point> Square(double x0, double y0, double side) {
    return {{x0, y0}, {x0 + side, y0}, {x0 + side, y0 + side}, {x0, y0 + side}};
}

void ExpectSame(const PolygonRecord& actual, const PolygonRecord& expected) {
    EXPECT_EQ(actual.x, expected.x);
    EXPECT_EQ(actual.y, expected.y);
    EXPECT_EQ(actual.height, expected.height);
}

// A pending polygon with its vertices placed in order, as the create tool would have built it.
PolygonRecord Pending(const std::vector<Point>& points) {
    PolygonRecord pending = NewPendingPolygon(0, points[0]);
    for (size_t i = 1; i < points.size(); i++)
        AppendPendingVertex(&pending, points[i]);
    return pending;
}

// Every test starts from the program's state at start-up, and goes back to it between its cases.
class Editing : public SessionTest {
  protected:
    void Reset() {
        StartDrawing(session);
        ResetCanvasState(&canvasState);
    }

    // The outputs start at values HitTest must overwrite, so a miss that leaves them alone shows.
    Hit HitAt(int32_t px, int32_t py) {
        Hit h = {false, 77, 77};
        h.hit = HitTest(CurrentView(canvasState, drawing), drawing.polygons, {px, py}, &h.polygon, &h.vertex);
        return h;
    }

    void AddShape(int32_t priority, const std::vector<Point>& points) {
        ASSERT_TRUE(drawing.polygons.appendPolygon(MakeShape(priority, points)));
    }
};

using HitTesting = Editing;
using CreateRules = Editing;
using EditRules = Editing;

}  // namespace

TEST_F(HitTesting, EmptyDrawingMissesWithBothIndexesCleared) {
    ExpectHit(HitAt(50, 50), false, -1, -1);
    AddShape(0, Square(5, 5, 10));
    ExpectHit(HitAt(300, 300), false, -1, -1);
}

// The pick square is the drawn mark, 6 x 6 pixels from 3 left of and above the vertex's pixel to 2 right
// of and below it, so every pixel of the mark picks the vertex and none beside it does.
TEST_F(HitTesting, VertexSquareIsTheDrawnMark) {
    AddShape(0, Square(5, 5, 10));  // vertices at pixels (50,50) (150,50) (150,150) (50,150)
    struct Case {
        const char* what;
        int32_t px, py;
        bool hit;
        int32_t polygon, vertex;
    };
    const Case cases[] = {
        {"top left pixel of vertex 0's mark", 47, 47, true, 0, 0},
        {"3 px left of vertex 0", 47, 50, true, 0, 0},
        {"4 px left of vertex 0", 46, 50, false, -1, -1},
        {"4 px above vertex 0", 50, 46, false, -1, -1},
        {"2 px right of and below vertex 0", 52, 52, true, 0, 0},
        {"3 px right of and below vertex 0, inside the polygon only", 53, 53, true, 0, -1},
        {"2 px right of vertex 1, outside the polygon", 152, 50, true, 0, 1},
        {"3 px right of vertex 1", 153, 50, false, -1, -1},
        {"3 px above vertex 1, outside the polygon", 150, 47, true, 0, 1},
        {"2 px right of and below vertex 2, outside the polygon", 152, 152, true, 0, 2},
        {"4 px left of and above vertex 2, inside the polygon only", 146, 146, true, 0, -1},
        {"2 px below vertex 3, outside the polygon", 50, 152, true, 0, 3},
        {"3 px below vertex 3", 50, 153, false, -1, -1},
        {"centre", 100, 100, true, 0, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ExpectHit(HitAt(c.px, c.py), c.hit, c.polygon, c.vertex);
    }
}

TEST_F(HitTesting, RightAndLowerSidesBelongToTheRectangle) {
    AddShape(0, {{5, 5}, {25, 5}, {25, 15}, {5, 15}});
    ExpectHit(HitAt(250, 100), true, 0, -1);   // right side
    ExpectHit(HitAt(150, 150), true, 0, -1);   // lower side
    ExpectHit(HitAt(50, 100), false, -1, -1);  // left side
    ExpectHit(HitAt(150, 50), false, -1, -1);  // upper side
}

TEST_F(HitTesting, SmallerPriorityIndexWinsWhateverTheStoreOrder) {
    AddShape(5, Square(0, 0, 20));
    AddShape(2, Square(10, 10, 20));
    ExpectHit(HitAt(150, 150), true, 1, -1);
    ASSERT_TRUE(drawing.polygons.setPriority(0, 2));
    ASSERT_TRUE(drawing.polygons.setPriority(1, 5));
    ExpectHit(HitAt(150, 150), true, 0, -1);
}

TEST_F(HitTesting, EqualPrioritiesGiveTheLaterPolygonThatHolds) {
    AddShape(3, Square(0, 0, 20));
    AddShape(3, Square(10, 10, 20));
    AddShape(3, Square(100, 100, 20));  // later still, but away from the click
    ExpectHit(HitAt(150, 150), true, 1, -1);
}

// The covering polygon is painted over the vertex mark, so the click takes the whole covering polygon.
TEST_F(HitTesting, VertexBeneathTheWinnerIsNotPicked) {
    for (bool coverFirst : {true, false}) {
        SCOPED_TRACE(coverFirst ? "cover stored first" : "cover stored last");
        StartDrawing(session);
        if (coverFirst)
            AddShape(0, Square(0, 0, 20));
        AddShape(4, Square(10, 10, 20));
        if (!coverFirst)
            AddShape(0, Square(0, 0, 20));
        int32_t cover = coverFirst ? 0 : 1, beneath = 1 - cover;
        ExpectHit(HitAt(101, 101), true, cover, -1);   // at the lower polygon's vertex 0
        ExpectHit(HitAt(302, 302), true, beneath, 2);  // its vertex 2, clear of the cover
        ExpectHit(HitAt(201, 201), true, cover, 2);    // the cover's own vertex wins over the interior
    }
}

TEST_F(HitTesting, CloseVerticesGiveTheHigherIndex) {
    struct Case {
        const char* what;
        std::vector<Point> points;
        int32_t px, py, vertex;
    };
    const Case cases[] = {
        {"last vertex next to the first", {{5, 5}, {15, 5}, {15, 15}, {5.2, 5.2}}, 51, 51, 3},
        {"two middle vertices", {{5, 5}, {15, 5}, {15.2, 5.2}, {15, 15}}, 151, 51, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        StartDrawing(session);
        AddShape(0, c.points);
        ExpectHit(HitAt(c.px, c.py), true, 0, c.vertex);
    }
}

TEST_F(HitTesting, FollowsScrollAndZoom) {
    struct Case {
        const char* what;
        int32_t zoomIndex, scrollX, scrollY;
        double left, top, side;
        int32_t px, py;
        bool hit;
        int32_t vertex;
    };
    const Case cases[] = {
        {"x 10, near vertex 2", 0, 50, 30, 50, 30, 2, 202, 202, true, 2},
        {"x 10, 5 px off vertex 2", 0, 50, 30, 50, 30, 2, 205, 205, false, -1},
        {"x 10, inside", 0, 50, 30, 50, 30, 2, 100, 100, true, -1},
        {"x 0.1, near vertex 0", 6, 100, 200, 200, 300, 100, 102, 102, true, 0},
        {"x 0.1, 4 px left of vertex 0", 6, 100, 200, 200, 300, 100, 96, 110, false, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        StartDrawing(session);
        drawing.drawOptions.zoomIndex = c.zoomIndex;
        canvasState.scrollX = c.scrollX;
        canvasState.scrollY = c.scrollY;
        AddShape(0, Square(c.left, c.top, c.side));
        ExpectHit(HitAt(c.px, c.py), c.hit, c.hit ? 0 : -1, c.vertex);
    }
}

// A priority index outside 0..9 never reaches HitTest: the store refuses it on append, on replace and on
// setPriority, and the file reader refuses it too, so there is no such drawing to test with.

TEST(DecimalText, CheckPassesOnlySignsPointsAndDigits) {
    struct Case {
        const char* text;
        bool passes;
        const char* after;  // the text once the check rewrote it, when it passes
    };
    const Case cases[] = {
        {"", false, nullptr},      {"3,5", true, "3.5"},
        {"1.5.0", false, nullptr}, {"2,5,1", false, nullptr},
        {"2.5,1", false, nullptr}, {"1e5", false, nullptr},
        {"-2", true, "-2"},        {"1/2", false, nullptr},
        {" 1", false, nullptr},    {"1-2", true, "1-2"},
        {"\xE9", false, nullptr},  {"2\xE9", false, nullptr},
        {"+,5", true, "+.5"},      {"*1", false, nullptr},
        {"1:", false, nullptr},    {"0123456789", true, "0123456789"},
    };
    for (const Case& c : cases) {
        char text[32];
        snprintf(text, sizeof text, "%s", c.text);
        EXPECT_EQ(CheckDecimalText(text), c.passes) << '"' << c.text << '"';
        if (c.passes) {
            EXPECT_STREQ(text, c.after);
        }
    }
}

TEST(DecimalText, ReadsTheLongestLeadingNumber) {
    struct Case {
        const char* text;
        double value;
    };
    const Case cases[] = {
        {"1-2", 1.0}, {"12-3", 12.0}, {"-4", -4.0},     {"+.5", 0.5}, {"-", 0.0},   {".", 0.0},
        {"+-1", 0.0}, {"1.5-", 1.5},  {"2.567", 2.567}, {"0.1", 0.1}, {"007", 7.0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReadDecimal(c.text), c.value) << '"' << c.text << '"';
}

// A height is taken as typed within its range, small ones included; a negative one is refused, never
// turned into its magnitude, and the message names the field and the range.
TEST(DecimalText, NumberFieldTakesTheValueAsTypedOrRefusesIt) {
    const NumberRange range = {"Height of vertex [m]", 0.0, 1000.0};
    const struct {
        const char* text;
        bool taken;
        double value;
    } cases[] = {
        {"-4", false, 0},   {"0", true, 0},       {"0.001", true, 0.001},  {"-0.001", false, 0}, {"0,01", true, 0.01},
        {"2.5", true, 2.5}, {"-0", true, 0},      {"+3", true, 3},         {"", false, 0},       {"  ", false, 0},
        {".", false, 0},    {"1.2.3", false, 0},  {"4e2", false, 0},       {"inf", false, 0},    {"nan", false, 0},
        {"0x10", false, 0}, {"1000", true, 1000}, {"1000.0001", false, 0},
    };
    for (const auto& c : cases) {
        double value = -99.0;
        EXPECT_EQ(ReadNumberField(c.text, range, &value), c.taken) << '"' << c.text << '"';
        EXPECT_EQ(value, c.taken ? c.value : -99.0) << '"' << c.text << '"';
        EXPECT_FALSE(std::signbit(value) && value == 0.0) << '"' << c.text << '"';
    }
    EXPECT_EQ(RangeMessage(range), "Height of vertex [m] takes a number from 0 to 1000.");
    EXPECT_EQ(RangeMessage({"Distance projection [m]", 0.01, 100000.0}),
              "Distance projection [m] takes a number from 0.01 to 100000.");
}

TEST_F(CreateRules, NewPolygonIsNamedAfterTheStoredCount) {
    for (int32_t count : {0, 3, 12}) {
        PolygonRecord pending = NewPendingPolygon(count, {7.5, -2});
        EXPECT_STREQ(pending.name, ("Polygon " + std::to_string(count)).c_str());
        EXPECT_EQ(pending.priority, 0);
        ASSERT_EQ(pending.vertexCount, 1);
        EXPECT_TRUE(PolygonWellFormed(pending));
        EXPECT_EQ(pending.x[0], 7.5);
        EXPECT_EQ(pending.y[0], -2.0);
        EXPECT_EQ(pending.height[0], 1.0);
    }
}

// Each point tried both as a further vertex (left click) and as the closing vertex (right click).
TEST_F(CreateRules, NewEdgesMustNotTouchThePlacedEdges) {
    struct Case {
        const char* what;
        std::vector<Point> placed;
        Point p;
        bool next, close;
    };
    const std::vector<Point> corner = {{0, 0}, {10, 0}, {10, 10}};
    const Case cases[] = {
        {"zero-length edge on the last vertex", corner, {10, 10}, false, false},
        {"crosses the first edge", corner, {5, -5}, false, false},
        {"runs back along the previous edge", {{0, 0}, {10, 0}}, {5, 0}, false, false},
        {"runs back past its start", {{0, 0}, {10, 0}}, {-5, 0}, false, false},
        {"free corner", corner, {0, 10}, true, true},
        {"on the first vertex: zero-length closing edge", corner, {0, 0}, true, false},
        {"closing edge crosses", {{0, 0}, {10, 0}, {10, 10}, {20, 10}}, {20, 5}, true, false},
        {"closing elsewhere", {{0, 0}, {10, 0}, {10, 10}, {20, 10}}, {0, 20}, true, true},
        {"one vertex placed", {{0, 0}}, {10, 10}, true, false},
        {"second vertex on the first", {{0, 0}}, {0, 0}, true, false},
        {"after a second vertex on the first", {{0, 0}, {0, 0}}, {10, 0}, false, false},
        {"two after a second vertex on the first", {{0, 0}, {0, 0}, {10, 0}}, {10, 10}, false, false},
        {"two vertices close into a triangle", {{0, 0}, {10, 0}}, {10, 10}, true, true},
        {"closing edge folds back along the last", {{0, 0}, {0, 10}, {10, 10}, {10, 0}}, {20, 0}, true, false},
        {"closing on a line with the first edge", {{0, 0}, {10, 0}, {10, 10}}, {0, 5}, true, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NextEdgeFits(Pending(c.placed), c.p), c.next) << c.what;
        EXPECT_EQ(ClosingEdgesFit(Pending(c.placed), c.p), c.close) << c.what;
    }
}

TEST_F(CreateRules, AppendedVertexStartsWithThePreviousHeight) {
    PolygonRecord pending = NewPendingPolygon(2, {0, 0});
    pending.height[0] = 7.5;
    pending.priority = 4;
    AppendPendingVertex(&pending, {10, 0});
    ASSERT_EQ(pending.vertexCount, 2);
    EXPECT_EQ(pending.height[1], 7.5);
    pending.height[1] = 2.0;
    AppendPendingVertex(&pending, {10, 10});
    ASSERT_EQ(pending.vertexCount, 3);
    EXPECT_TRUE(PolygonWellFormed(pending));
    EXPECT_EQ(pending.x, std::vector<double>({0, 10, 10}));
    EXPECT_EQ(pending.y, std::vector<double>({0, 0, 10}));
    EXPECT_EQ(pending.height, std::vector<double>({7.5, 2.0, 2.0}));
    EXPECT_EQ(pending.priority, 4);
    EXPECT_STREQ(pending.name, "Polygon 2");
    // Closed by the store, it is a valid footprint.
    ASSERT_TRUE(drawing.polygons.appendPolygon(pending));
    EXPECT_TRUE(CheckDrawing(drawing));
}

TEST_F(EditRules, VertexMoveKeepsThePolygonSimple) {
    struct Case {
        const char* what;
        int32_t index, k;
        Point w;
        bool accepted;
    };
    const Case cases[] = {
        {"vertex 1 onto vertex 0", 0, 1, {0, 0}, false},
        {"vertex 1 onto vertex 2", 0, 1, {10, 10}, false},
        {"vertex 2 onto vertex 3", 0, 2, {0, 10}, false},
        {"vertex 1 so that two edges cross", 0, 1, {-5, 5}, false},
        {"vertex 1 to a free spot", 0, 1, {12, -2}, true},
        {"vertex 1 into the other polygon", 0, 1, {28, 2}, true},
        {"last vertex of the quadrilateral onto its first", 0, 3, {0, 0}, true},
        {"first vertex of the quadrilateral onto its last", 0, 0, {0, 10}, true},
        {"last vertex of the triangle onto its first", 1, 2, {20, 0}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        StartDrawing(session);
        AddShape(0, Square(0, 0, 10));
        AddShape(0, {{20, 0}, {30, 0}, {30, 10}});
        const PolygonRecord before = drawing.polygons.polygon(c.index);
        const PolygonRecord other = drawing.polygons.polygon(1 - c.index);
        EXPECT_EQ(MoveVertexTo(&drawing.polygons, c.index, c.k, c.w), c.accepted);
        const PolygonRecord& after = drawing.polygons.polygon(c.index);
        if (c.accepted) {
            PolygonRecord expected = before;
            expected.x[c.k] = c.w.x;
            expected.y[c.k] = c.w.y;
            ExpectSame(after, expected);
        } else {
            ExpectSame(after, before);
        }
        ExpectSame(drawing.polygons.polygon(1 - c.index), other);
    }
}

TEST_F(EditRules, PolygonMoveShiftsOnlyTheVertices) {
    AddShape(6, Square(0, 0, 10));
    ASSERT_TRUE(drawing.polygons.setName(0, "hall"));
    AddShape(2, {{20, 0}, {30, 0}, {30, 10}});
    const PolygonRecord before = drawing.polygons.polygon(0);
    const PolygonRecord other = drawing.polygons.polygon(1);
    ASSERT_TRUE(MovePolygonBy(&drawing.polygons, 0, 10, -2.5));
    const PolygonRecord& after = drawing.polygons.polygon(0);
    ASSERT_EQ(after.vertexCount, 4);
    for (int32_t i = 0; i < 4; i++) {
        EXPECT_EQ(after.x[i], before.x[i] + 10);
        EXPECT_EQ(after.y[i], before.y[i] - 2.5);
    }
    EXPECT_EQ(after.height, before.height);
    EXPECT_STREQ(after.name, "hall");
    EXPECT_EQ(after.priority, 6);
    EXPECT_EQ(drawing.polygons.priorities()[0], 6);
    ExpectSame(drawing.polygons.polygon(1), other);
}

TEST_F(EditRules, PolygonMoveRefusedWhenTheShapeStaysInvalid) {
    AddShape(0, {{0, 0}, {10, 10}, {10, 0}, {0, 10}});  // crosses itself
    const PolygonRecord before = drawing.polygons.polygon(0);
    EXPECT_FALSE(MovePolygonBy(&drawing.polygons, 0, 5, 5));
    ExpectSame(drawing.polygons.polygon(0), before);
}

TEST_F(EditRules, IndexesOutsideTheStoreAreRefused) {
    EXPECT_FALSE(MoveVertexTo(&drawing.polygons, 0, 0, {1, 1}));
    EXPECT_FALSE(MovePolygonBy(&drawing.polygons, 0, 1, 1));
    AddShape(0, Square(0, 0, 10));
    ASSERT_TRUE(drawing.polygons.appendPolygon(MakeShape(0, {})));  // a record without vertices
    const PolygonRecord before = drawing.polygons.polygon(0);
    const int32_t vertexCases[][2] = {{-1, 0}, {2, 0}, {0, -1}, {0, 4}, {1, 0}};
    for (const auto& c : vertexCases)
        EXPECT_FALSE(MoveVertexTo(&drawing.polygons, c[0], c[1], {1, 1})) << c[0] << ", " << c[1];
    for (int32_t index : {-1, 1, 2})
        EXPECT_FALSE(MovePolygonBy(&drawing.polygons, index, 1, 1)) << index;
    ExpectSame(drawing.polygons.polygon(0), before);
    EXPECT_EQ(drawing.polygons.count(), 2);
}
