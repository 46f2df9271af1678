// Tests of the layout and the canvas on high-DPI screens: at 144 and 192 DPI every pixel size grows by
// half or doubles, a metre spans more pixels, and clicks still pick what is drawn.
#include <gtest/gtest.h>

#include "app/drawing_lifecycle.h"
#include "app/session.h"
#include "editing/hit_test.h"
#include "tests/test_support.h"
#include "view/canvas_state.h"
#include "view/result_mapping.h"
#include "view/window_layout.h"

TEST(DpiScale, LengthsRoundToTheNearestPixelAsMulDivDoes) {
    // A failed query gives 0 DPI: the base size, not nothing; so does a DPI out of range.
    const int32_t cases[][3] = {
        {3, 96, 3},    {3, 144, 5},      {3, 192, 6},   {-3, 144, -5},  {25, 120, 31},   {850, 120, 1063},
        {100, 48, 50}, {100, 960, 1000}, {100, 0, 100}, {100, 47, 100}, {100, 961, 100},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ScaledPixels(c[0], c[1]), c[2]) << c[0] << " px at " << c[1] << " DPI";
}

// The client areas are those of the scaled window less its frame, so the canvas keeps its margins.
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
        PixelRect first = ToolbarButtonPlace(0, c.clientWidth, c.dpi);
        PixelRect last = ToolbarButtonPlace(ToolbarButtonCount - 1, c.clientWidth, c.dpi);
        PixelRect canvas = CanvasPlace(c.clientWidth, c.clientHeight, c.dpi);
        PixelSize window = MainWindowSize(c.dpi);
        const PixelRect actual[] = {{0, 0, window.width, window.height}, first, last, canvas};
        const PixelRect expected[] = {{0, 0, c.window.width, c.window.height}, c.firstButton, c.lastButton, c.canvas};
        for (int i = 0; i < 4; i++) {
            EXPECT_EQ(actual[i].left, expected[i].left) << c.dpi << " DPI, rectangle " << i;
            EXPECT_EQ(actual[i].top, expected[i].top) << c.dpi << " DPI, rectangle " << i;
            EXPECT_EQ(actual[i].width, expected[i].width) << c.dpi << " DPI, rectangle " << i;
            EXPECT_EQ(actual[i].height, expected[i].height) << c.dpi << " DPI, rectangle " << i;
        }
        EXPECT_EQ(StatusSplit(c.dpi), c.statusSplit);
    }
}

// A client area narrower than the row of buttons (192 DPI on a screen 1400 wide) narrows the row: every
// button stays whole inside the margins and no two overlap; a wide enough one keeps the row as drawn.
TEST(DpiScale, ToolbarFitsANarrowClientArea) {
    const struct {
        int32_t dpi, clientWidth, lastRight;
    } cases[] = {{96, 834, 710},    {96, 720, 710},  {96, 600, 590},  {192, 1668, 1420},
                 {192, 1386, 1366}, {192, 700, 680}, {144, 1000, 985}};
    for (const auto& c : cases) {
        int32_t previousRight = 0;
        for (int32_t i = 0; i < ToolbarButtonCount; i++) {
            PixelRect button = ToolbarButtonPlace(i, c.clientWidth, c.dpi);
            EXPECT_GT(button.left, previousRight) << c.dpi << " DPI, width " << c.clientWidth << ", button " << i;
            EXPECT_GT(button.width, 0);
            previousRight = button.left + button.width;
        }
        EXPECT_LE(previousRight, c.lastRight) << c.dpi << " DPI, width " << c.clientWidth;
        EXPECT_GE(previousRight, c.lastRight - 2) << c.dpi << " DPI, width " << c.clientWidth;
    }
}

// The window fits the work area of its monitor whatever the density: a dense small screen shrinks it,
// a work area that does not start at the origin (a taskbar on the left, a second monitor) moves it.
TEST(DpiScale, WindowIsPlacedInsideTheWorkArea) {
    const struct {
        const char* what;
        PixelSize wanted;
        PixelRect workArea, placed;
    } cases[] = {
        {"fits, centred", {850, 600}, {0, 0, 1400, 1000}, {275, 200, 850, 600}},
        {"192 DPI on 1400 x 1000", {1700, 1200}, {0, 0, 1400, 960}, {0, 0, 1400, 960}},
        {"too wide only", {1700, 600}, {0, 0, 1400, 1000}, {0, 200, 1400, 600}},
        {"taskbar on the left", {850, 600}, {60, 0, 1340, 1000}, {305, 200, 850, 600}},
        {"second monitor to the left", {1275, 900}, {-1280, 0, 1280, 984}, {-1278, 42, 1275, 900}},
        {"exactly the work area", {1024, 738}, {0, 30, 1024, 738}, {0, 30, 1024, 738}},
    };
    for (const auto& c : cases) {
        PixelRect placed = PlaceInWorkArea(c.wanted, c.workArea);
        EXPECT_EQ(placed.left, c.placed.left) << c.what;
        EXPECT_EQ(placed.top, c.placed.top) << c.what;
        EXPECT_EQ(placed.width, c.placed.width) << c.what;
        EXPECT_EQ(placed.height, c.placed.height) << c.what;
        EXPECT_GE(placed.left, c.workArea.left) << c.what;
        EXPECT_GE(placed.top, c.workArea.top) << c.what;
        EXPECT_LE(placed.left + placed.width, c.workArea.left + c.workArea.width) << c.what;
        EXPECT_LE(placed.top + placed.height, c.workArea.top + c.workArea.height) << c.what;
    }
}

TEST(DpiScale, AMetreSpansMorePixelsOnADenserScreen) {
    EXPECT_EQ(ToPixel({0, 0, 1.0, 144}, 12.3, 4.5).x, 184);  // 184.5 truncates
    EXPECT_EQ(ToPixel({0, 0, 1.0, 192}, 12.3, 4.5).y, 90);
    EXPECT_EQ(ToPixel({0, 0, 2.0, 144}, -3.0, 7.0).x, -22);
    EXPECT_DOUBLE_EQ(ToWorld({20, 10, 1.0, 192}, 246, 90).x, 32.3);
    EXPECT_DOUBLE_EQ(ToWorld({0, 0, 0.5, 144}, 30, 45).y, 1.5);
    EXPECT_EQ(ScrollPage(800, 1.0, 192), 40);  // twice the pixels for the same metres
    EXPECT_EQ(ScrollPage(95, 2.0, 192), 8);    // 4 whole spans of 20 pixels, not 4.75
    EXPECT_EQ(GridStep(0.5, 2.0, 144), 3);     // 3.75 pixels, truncated
    EXPECT_EQ(GhostVertex({50, 60}, {12.0, 7.0}, {10.0, 5.0}, 1.0, 192).x, 90);
}

// The canvas's density reaches the transform, the pointer and the hit test: at 192 DPI the square of
// 5..15 m has its corners at pixels 100 and 300, each under a mark of 12 x 12 pixels.
TEST(DpiScale, ClicksPickTheMarksDrawnAtTheDensity) {
    Session session;
    Drawing& drawing = session.drawing;
    CanvasState& canvasState = session.canvasState;
    drawing.polygons.appendPolygon(MakePolygon("block", 0, {{5, 5, 4}, {15, 5, 4}, {15, 15, 4}, {5, 15, 4}}));
    const int32_t cases[][5] = {
        // dpi, pixel, the polygon and the vertex picked
        {192, 94, 100, 0, 0},  {192, 93, 100, -1, -1},  {192, 105, 105, 0, 0}, {192, 106, 106, 0, -1},
        {192, 305, 100, 0, 1}, {192, 306, 100, -1, -1}, {192, 50, 50, -1, -1},  // vertex 0 at 96 DPI
        {144, 70, 75, 0, 0},   {144, 69, 75, -1, -1},   {144, 229, 75, 0, 1},  {144, 230, 75, -1, -1},
        {96, 47, 50, 0, 0},    {96, 46, 50, -1, -1},
    };
    for (const auto& c : cases) {
        canvasState.dpi = c[0];
        int32_t polygon = 77, vertex = 77;
        EXPECT_EQ(HitTest(CurrentView(canvasState, drawing), drawing.polygons, {c[1], c[2]}, &polygon, &vertex),
                  c[3] == 0);
        EXPECT_EQ(polygon, c[3]) << c[0] << ": " << c[1] << ", " << c[2];
        EXPECT_EQ(vertex, c[4]) << c[0] << ": " << c[1] << ", " << c[2];
    }
    canvasState.dpi = 192;
    TrackPointer(&canvasState, drawing, {246, 90}, false);
    EXPECT_DOUBLE_EQ(canvasState.cursorPoint.x, 12.3);
}
