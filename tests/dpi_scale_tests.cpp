// Tests of the layout and the canvas at the densities of high-DPI screens: at 144 and 192 DPI every
// pixel size grows by half or doubles, a metre spans more pixels, and clicks still pick what is drawn.
#include <gtest/gtest.h>

#include <cmath>

#include "app/drawing_lifecycle.h"
#include "editing/hit_test.h"
#include "model/drawing.h"
#include "tests/test_support.h"
#include "view/canvas_state.h"
#include "view/dpi_scale.h"
#include "view/result_mapping.h"
#include "view/view_transform.h"
#include "view/window_layout.h"

namespace {

void ExpectRect(const PixelRect& actual, const PixelRect& expected) {
    EXPECT_EQ(actual.left, expected.left);
    EXPECT_EQ(actual.top, expected.top);
    EXPECT_EQ(actual.width, expected.width);
    EXPECT_EQ(actual.height, expected.height);
}

void ExpectPixel(PixelPoint actual, int32_t x, int32_t y) {
    EXPECT_EQ(actual.x, x);
    EXPECT_EQ(actual.y, y);
}

class DpiCanvas : public ::testing::Test {
  protected:
    void SetUp() override { Reset(); }
    void TearDown() override { Reset(); }
    static void Reset() {
        StartDrawing();
        ResetCanvasState();
    }
};

}  // namespace

TEST(DpiScale, LengthsRoundToTheNearestPixelAsMulDivDoes) {
    struct Case {
        int32_t at96, dpi, expected;
    };
    const Case cases[] = {
        {3, 96, 3},     {3, 144, 5},  {3, 192, 6},     {-3, 144, -5}, {25, 144, 38}, {25, 120, 31},
        {850, 120, 1063}, {0, 192, 0}, {100, 48, 50},   {100, 960, 1000},
        {100, 0, 100},  // a failed query reports 0: the base density, not a layout of nothing
        {100, -96, 100}, {100, 47, 100}, {100, 961, 100},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ScaledPixels(c.at96, c.dpi), c.expected) << c.at96 << " px at " << c.dpi << " DPI";
    EXPECT_EQ(ZoomPixels(96), 10.0);
    EXPECT_EQ(ZoomPixels(144), 15.0);
    EXPECT_EQ(ZoomPixels(192), 20.0);
    EXPECT_EQ(ZoomPixels(0), 10.0);
}

// The client areas are those of a main window of the scaled size less its frame, so that the canvas
// keeps its margins at every density.
TEST(DpiScale, MainWindowLayoutGrowsWithTheDensity) {
    struct Case {
        int32_t dpi;
        PixelSize window;
        PixelRect firstButton, lastButton;
        int32_t clientWidth, clientHeight;
        PixelRect canvas;
        int32_t statusSplit;
    };
    const Case cases[] = {
        {96, {850, 600}, {10, 10, 100, 20}, {610, 10, 100, 20}, 834, 541, {10, 40, 809, 471}, 400},
        {144, {1275, 900}, {15, 15, 150, 30}, {915, 15, 150, 30}, 1251, 811, {15, 60, 1213, 706}, 600},
        {192, {1700, 1200}, {20, 20, 200, 40}, {1220, 20, 200, 40}, 1668, 1082, {20, 80, 1618, 942}, 800},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dpi);
        PixelSize window = MainWindowSize(c.dpi);
        EXPECT_EQ(window.width, c.window.width);
        EXPECT_EQ(window.height, c.window.height);
        ExpectRect(ToolbarButtonPlace(0, c.dpi), c.firstButton);
        ExpectRect(ToolbarButtonPlace(ToolbarButtonCount - 1, c.dpi), c.lastButton);
        ExpectRect(CanvasPlace(c.clientWidth, c.clientHeight, c.dpi), c.canvas);
        EXPECT_EQ(StatusSplit(c.dpi), c.statusSplit);
    }
    // Without a density the layout is the 96-DPI one.
    ExpectRect(ToolbarButtonPlace(2), {250, 10, 100, 20});
    EXPECT_EQ(StatusSplit(), 400);
}

TEST(DpiScale, AMetreSpansMorePixelsOnADenserScreen) {
    struct Case {
        int32_t dpi;
        double z, wx, wy;
        int32_t px, py;
    };
    const Case cases[] = {
        {96, 1.0, 12.3, 4.5, 123, 45},   {144, 1.0, 12.3, 4.5, 184, 67},  // 184.5 and 67.5 truncate
        {192, 1.0, 12.3, 4.5, 246, 90},  {192, 0.1, 1.0, 2.0, 200, 400},
        {192, 10.0, 9.99, 0.5, 19, 1},   {144, 2.0, -3.0, 7.0, -22, 52},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dpi);
        const ViewTransform view = {0, 0, c.z, c.dpi};
        ExpectPixel(ToPixel(view, c.wx, c.wy), c.px, c.py);
    }
    Point world = ToWorld({20, 10, 1.0, 192}, 246, 90);
    EXPECT_DOUBLE_EQ(world.x, 32.3);
    EXPECT_DOUBLE_EQ(world.y, 14.5);
    world = ToWorld({0, 0, 0.5, 144}, 30, 45);
    EXPECT_DOUBLE_EQ(world.x, 1.0);
    EXPECT_DOUBLE_EQ(world.y, 1.5);
}

// A point taken to a pixel and back lands at most one pixel's worth of metres before it, as the
// truncation gives at 96 DPI, and a pixel taken to the map and back is the same pixel or the one
// before.
TEST(DpiScale, PixelsAndMetresRoundTripWithinAPixel) {
    for (int32_t dpi : {96, 144, 192})
        for (double z : {0.1, 0.5, 1.0, 5.0, 10.0})
            for (int32_t scroll : {0, 37}) {
                const ViewTransform view = {scroll, scroll, z, dpi};
                const double pixel = z / ZoomPixels(dpi);
                for (double w = scroll + 0.013; w < scroll + 300.0; w += 0.731) {
                    Point back = ToWorld(view, ToPixel(view, w, w).x, ToPixel(view, w, w).y);
                    EXPECT_LE(back.x, w + 1e-9) << dpi << " DPI, z " << z << ", " << w;
                    EXPECT_GT(back.x, w - pixel - 1e-9) << dpi << " DPI, z " << z << ", " << w;
                }
                for (int32_t p = 0; p < 400; p += 7) {
                    Point world = ToWorld(view, p, p);
                    int32_t again = ToPixel(view, world.x, world.y).x;
                    EXPECT_TRUE(again == p || again == p - 1) << dpi << " DPI, z " << z << ", pixel " << p;
                }
            }
}

TEST(DpiScale, PagesGridsMarksAndGhostsFollowTheDensity) {
    EXPECT_EQ(ScrollPage(800, 1.0, 192), 40);  // twice the pixels for the same metres
    EXPECT_EQ(ScrollPage(95, 2.0, 192), 8);    // 4 whole spans of 20 pixels
    EXPECT_EQ(ScrollPage(470, 0.5, 144), 15);  // 31 whole spans of 15 pixels, times 0.5
    EXPECT_EQ(ScrollPage(19, 1.0, 192), 1);
    EXPECT_EQ(GridStep(1.0, 1.0, 192), 20);
    EXPECT_EQ(GridStep(0.5, 2.0, 144), 3);  // 3.75 pixels, truncated
    EXPECT_EQ(GridStep(0.1, 10.0, 192), 1);
    struct Case {
        int32_t dpi;
        PixelBox mark;
    };
    const Case cases[] = {{96, {97, 197, 103, 203}}, {144, {95, 195, 105, 205}}, {192, {94, 194, 106, 206}}};
    for (const Case& c : cases) {
        PixelBox mark = VertexMarkBox({100, 200}, c.dpi);
        EXPECT_EQ(mark.left, c.mark.left) << c.dpi;
        EXPECT_EQ(mark.top, c.mark.top) << c.dpi;
        EXPECT_EQ(mark.right, c.mark.right) << c.dpi;
        EXPECT_EQ(mark.bottom, c.mark.bottom) << c.dpi;
    }
    ExpectPixel(GhostVertex({50, 60}, {12.0, 7.0}, {10.0, 5.0}, 1.0, 192), 90, 100);
    ExpectPixel(GhostVertex({50, 60}, {8.75, 4.95}, {10.0, 5.0}, 1.0, 144), 32, 60);  // -18.75 and -0.75
}

// The canvas's density reaches the transform, the pointer and the hit test: at 192 DPI the square of
// 5..15 m has its corners at pixels 100 and 300, each under a mark of 12 x 12 pixels.
TEST_F(DpiCanvas, ClicksPickTheMarksDrawnAtTheDensity) {
    ASSERT_TRUE(drawing.polygons.appendPolygon(
        MakePolygon("block", 0, {{5, 5, 4}, {15, 5, 4}, {15, 15, 4}, {5, 15, 4}})));
    struct Case {
        const char* what;
        int32_t dpi, px, py;
        bool hit;
        int32_t vertex;
    };
    const Case cases[] = {
        {"6 px left of vertex 0", 192, 94, 100, true, 0},
        {"7 px left of vertex 0", 192, 93, 100, false, -1},
        {"5 px right of and below vertex 0", 192, 105, 105, true, 0},
        {"6 px right of and below vertex 0, inside only", 192, 106, 106, true, -1},
        {"5 px right of vertex 1", 192, 305, 100, true, 1},
        {"6 px right of vertex 1", 192, 306, 100, false, -1},
        {"where vertex 0 lies at 96 DPI", 192, 50, 50, false, -1},
        {"centre", 192, 200, 200, true, -1},
        {"beyond the square", 192, 310, 310, false, -1},
        {"5 px left of vertex 0", 144, 70, 75, true, 0},
        {"6 px left of vertex 0", 144, 69, 75, false, -1},
        {"4 px right of vertex 1", 144, 229, 75, true, 1},
        {"5 px right of vertex 1", 144, 230, 75, false, -1},
        {"3 px left of vertex 0", 96, 47, 50, true, 0},
        {"4 px left of vertex 0", 96, 46, 50, false, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        canvasState.dpi = c.dpi;
        int32_t polygon = 77, vertex = 77;
        EXPECT_EQ(HitTest(CurrentView(), drawing.polygons, {c.px, c.py}, &polygon, &vertex), c.hit);
        EXPECT_EQ(polygon, c.hit ? 0 : -1);
        EXPECT_EQ(vertex, c.vertex);
    }
}

TEST_F(DpiCanvas, ThePointerIsReadAtTheDensity) {
    canvasState.dpi = 192;
    TrackPointer({246, 90}, false);
    EXPECT_DOUBLE_EQ(canvasState.cursorPoint.x, 12.3);
    EXPECT_DOUBLE_EQ(canvasState.cursorPoint.y, 4.5);
    canvasState.gridStep = GridStep(1.0, 1.0, 192);
    TrackPointer({246, 90}, true);  // snapped to (240, 100), the grid of 20 pixels
    EXPECT_DOUBLE_EQ(canvasState.cursorPoint.x, 12.0);
    EXPECT_DOUBLE_EQ(canvasState.cursorPoint.y, 5.0);
}
