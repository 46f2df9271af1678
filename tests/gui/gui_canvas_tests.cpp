// Pixel tests of the canvas and the renderer: what a paint leaves in a memory bitmap or on the canvas,
// the rubber bands that must erase themselves, and the canvas's answers to the mouse and scroll bars.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/drawing_lifecycle.h"
#include "app/main_modes.h"
#include "editing/edit_state.h"
#include "engine/run/calc_records.h"
#include "model/drawing.h"
#include "shell/main_window_win.h"
#include "tests/gui/gui_test_support.h"
#include "text/ui_texts.h"
#include "ui/app_windows_win.h"
#include "ui/gdi_guards_win.h"
#include "ui/prompt_win.h"
#include "view/canvas_state.h"
#include "view/canvas_win.h"
#include "view/renderer_win.h"

namespace {

const COLORREF Black = RGB(0, 0, 0);
const COLORREF White = RGB(255, 255, 255);
const COLORREF MarkRed = RGB(250, 25, 5);
const COLORREF ResultBlue = RGB(124, 124, 255);
const COLORREF StructureGrey = RGB(127, 127, 127);

struct Image {
    int width = 0, height = 0;
    std::vector<COLORREF> pixels;
    COLORREF at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

Image ImageOf(const MemoryCanvas& canvas) {
    GdiFlush();
    Image image;
    image.width = canvas.width;
    image.height = canvas.height;
    for (int y = 0; y < canvas.height; y++)
        for (int x = 0; x < canvas.width; x++)
            image.pixels.push_back(canvas.pixel(x, y));
    return image;
}

// What the canvas shows in the current view, painted into memory.
Image Rendered(int width, int height) {
    MemoryCanvas canvas(width, height);
    EXPECT_TRUE(canvas.ready());
    PaintCanvas(canvas.dc, width, height);
    return ImageOf(canvas);
}

// What the window holds on screen, read back through its device context.
Image OnScreen(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    MemoryCanvas copy(client.right, client.bottom);
    WindowDc screen(window);
    BitBlt(copy.dc, 0, 0, client.right, client.bottom, screen.dc, 0, 0, SRCCOPY);
    return ImageOf(copy);
}

int CountDifferent(const Image& a, const Image& b) {
    int count = 0;
    for (size_t i = 0; i < a.pixels.size(); i++)
        count += a.pixels[i] != b.pixels[i];
    return count;
}

PolygonRecord Box(int32_t priority, double left, double top, double right, double bottom) {
    PolygonRecord box;
    SetPolygonName(&box, "box");
    box.priority = priority;
    box.x = {left, right, right, left};
    box.y = {top, top, bottom, bottom};
    box.height = {5, 5, 5, 5};
    box.vertexCount = 4;
    return box;
}

class Renderer : public ::testing::Test {
  protected:
    void SetUp() override { ResetEverything(); }
    void TearDown() override { ResetEverything(); }

    SessionHost host;
};

}  // namespace

TEST_F(Renderer, VertexIsMarkedByARedSquareInABlackOutline) {
    MainSession().drawing.drawOptions.snapIndex = 0;
    MainSession().drawing.polygons.appendPolygon(Box(0, 0.0, 0.0, 12.3, 4.5));  // (12.3, 4.5) is its lower right corner
    Image image = Rendered(200, 100);
    for (int x : {120, 125})
        for (int y : {42, 47})
            EXPECT_EQ(image.at(x, y), Black) << x << "," << y;
    for (int y = 43; y <= 46; y++)
        for (int x = 121; x <= 124; x++)
            EXPECT_EQ(image.at(x, y), MarkRed) << x << "," << y;
    // Six pixels a side: the right and bottom edges stop at 125 and 47.
    EXPECT_EQ(image.at(126, 48), White);
    EXPECT_EQ(image.at(126, 44), White);
    EXPECT_EQ(image.at(122, 48), White);
}

TEST_F(Renderer, PolygonHatchIsOpaqueDiagonalCross) {
    MainSession().drawing.drawOptions.snapIndex = 1;  // 0.1 m at "x 1.0": a dot on every pixel, all black
    MainSession().drawing.polygons.appendPolygon(Box(0, 5.0, 5.0, 15.0, 15.0));
    Image image = Rendered(200, 200);
    EXPECT_EQ(image.at(30, 30), Black);
    int white = 0, black = 0, down = 0, up = 0;
    for (int y = 60; y < 140; y++)
        for (int x = 60; x < 140; x++) {
            COLORREF c = image.at(x, y);
            ASSERT_TRUE(c == White || c == Black) << x << "," << y;
            if (c != Black)
                continue;
            black++;
            down += image.at(x + 1, y + 1) == Black && image.at(x + 2, y + 2) == Black;
            up += image.at(x + 1, y - 1) == Black && image.at(x + 2, y - 2) == Black;
        }
    white = 80 * 80 - black;
    // The white between the lines covers the dots: a transparent hatch would leave it all black.
    EXPECT_GT(white, 80 * 80 / 2);
    EXPECT_GT(black, 80 * 80 / 10);
    EXPECT_GT(down, 100) << "no lines falling to the right";
    EXPECT_GT(up, 100) << "no lines rising to the right";
}

TEST_F(Renderer, PriorityOneHidesPriorityTenWhateverTheStoreOrder) {
    MainSession().drawing.drawOptions.snapIndex = 0;
    const PolygonRecord front = Box(0, 5.0, 5.0, 15.0, 15.0), back = Box(9, 10.0, 10.0, 20.0, 20.0);
    MainSession().drawing.polygons.appendPolygon(front);
    Image frontAlone = Rendered(250, 250);
    StartDrawing(MainSession());
    MainSession().drawing.drawOptions.snapIndex = 0;
    MainSession().drawing.polygons.appendPolygon(back);
    Image backAlone = Rendered(250, 250);
    // Inside the overlap the back polygon's outline and marks would show on top of the front's hatch.
    int differ = 0;
    for (int y = 52; y <= 148; y++)
        for (int x = 52; x <= 148; x++)
            differ += frontAlone.at(x, y) != backAlone.at(x, y);
    ASSERT_GT(differ, 0);
    for (bool frontFirst : {true, false}) {
        StartDrawing(MainSession());
        MainSession().drawing.drawOptions.snapIndex = 0;
        MainSession().drawing.polygons.appendPolygon(frontFirst ? front : back);
        MainSession().drawing.polygons.appendPolygon(frontFirst ? back : front);
        Image both = Rendered(250, 250);
        int wrong = 0;
        for (int y = 52; y <= 148; y++)
            for (int x = 52; x <= 148; x++)
                wrong += both.at(x, y) != frontAlone.at(x, y);
        EXPECT_EQ(wrong, 0) << (frontFirst ? "front stored first" : "front stored last");
        EXPECT_EQ(both.at(200, 200), MarkRed);  // the back polygon's far corner still shows
    }
}

TEST_F(Renderer, EqualPrioritiesPutTheLaterPolygonOnTop) {
    MainSession().drawing.drawOptions.snapIndex = 0;
    const PolygonRecord first = Box(3, 5.0, 5.0, 15.0, 15.0), second = Box(3, 10.0, 10.0, 20.0, 20.0);
    MainSession().drawing.polygons.appendPolygon(second);
    Image secondAlone = Rendered(250, 250);
    MainSession().drawing.polygons.appendPolygon(first);
    MainSession().drawing.polygons.appendPolygon(second);
    MainSession().drawing.polygons.removePolygon(0);
    Image both = Rendered(250, 250);
    for (int y = 102; y <= 198; y++)
        for (int x = 102; x <= 198; x++)
            ASSERT_EQ(both.at(x, y), secondAlone.at(x, y)) << x << "," << y;
}

TEST_F(Renderer, GridDotsAtEveryStepAnchoredAtTheTopLeft) {
    MainSession().drawing.drawOptions.snapIndex = 4;  // 1.0 m at "x 1.0": 10 pixels
    MainSession().canvasState.scrollX = 3;            // the grid does not move with the view
    MainSession().canvasState.scrollY = 7;
    Image image = Rendered(200, 100);
    EXPECT_EQ(MainSession().canvasState.gridStep, 10);
    for (auto [x, y] : {std::pair{0, 0}, {10, 0}, {0, 10}, {190, 90}, {50, 30}})
        EXPECT_EQ(image.at(x, y), Black) << x << "," << y;
    for (auto [x, y] : {std::pair{5, 5}, {1, 0}, {0, 1}, {11, 10}, {199, 99}, {195, 90}})
        EXPECT_EQ(image.at(x, y), White) << x << "," << y;
    int dots = 0;
    for (COLORREF c : image.pixels)
        dots += c == Black;
    EXPECT_EQ(dots, 20 * 10);
}

TEST_F(Renderer, GridFollowsSnapAndZoomAndSnapOffDrawsNone) {
    MainSession().drawing.drawOptions.snapIndex = 6;  // 5 m at "x 0.5": 25 pixels
    MainSession().drawing.drawOptions.zoomIndex = 4;
    MainSession().drawing.drawOptions.snapOn = 0;  // the grid shows whether snapping is on or not
    Image image = Rendered(100, 100);
    EXPECT_EQ(MainSession().canvasState.gridStep, 25);
    EXPECT_EQ(image.at(25, 75), Black);
    EXPECT_EQ(image.at(20, 20), White);
    MainSession().drawing.drawOptions.snapIndex = 0;
    MemoryCanvas canvas(100, 100);
    memset(canvas.pixels, 0, 100 * 100 * 4);  // black: the paint must cover every pixel
    PaintCanvas(canvas.dc, 100, 100);
    Image blank = ImageOf(canvas);
    for (COLORREF c : blank.pixels)
        ASSERT_EQ(c, White);
    EXPECT_EQ(MainSession().canvasState.gridStep, 25);  // kept from the last grid drawn
}

TEST_F(Renderer, ResultViewFitsTheOutlineWithTheStructureOnTop) {
    MainSession().drawing.isOpen = MainSession().drawing.calcReady = 1;
    MainSession().mainModes.viewMode = AdView;
    AddContour(true, true, 1040.0, 2010.0, 1060.0, 2040.0);  // a hole, listed before its outer contour
    AddContour(true, false, 1000.0, 2000.0, 1100.0, 2050.0);
    AddContour(false, false, 900.0, 1900.0, 1200.0, 2150.0);  // Am only: not in the Ad view
    MainSession().drawing.polygons.appendPolygon(Box(9, 1020.0, 2020.0, 1030.0, 2030.0));
    ShowAreas(0.012345, 0.0);
    Image image = Rendered(400, 300);
    // 3 pixels a metre: the outer contour covers 50..349 x 75..224.
    for (auto [x, y] : {std::pair{50, 75}, {349, 224}, {349, 75}, {50, 224}, {100, 150}, {300, 100}})
        EXPECT_EQ(image.at(x, y), ResultBlue) << x << "," << y;
    for (auto [x, y] : {std::pair{49, 150}, {350, 150}, {200, 74}, {200, 225}, {20, 280}, {380, 20}})
        EXPECT_EQ(image.at(x, y), White) << x << "," << y;
    EXPECT_EQ(image.at(200, 150), White);  // the hole, 170..229 x 105..194
    EXPECT_EQ(image.at(172, 107), White);
    EXPECT_EQ(image.at(168, 150), ResultBlue);
    // The structure from 110..140 x 135..165: grey inside a black outline.
    EXPECT_EQ(image.at(125, 150), StructureGrey);
    EXPECT_EQ(image.at(110, 150), Black);
    EXPECT_EQ(image.at(125, 135), Black);
    EXPECT_EQ(image.at(108, 150), ResultBlue);
    int ink = 0;
    for (int y = 0; y < 20; y++)
        for (int x = 0; x < 150; x++)
            ink += image.at(x, y) == Black;
    EXPECT_GT(ink, 20) << "no label at the top left";
}

TEST_F(Renderer, AmViewShowsTheAmOutlineAndItsValue) {
    MainSession().drawing.isOpen = MainSession().drawing.calcReady = 1;
    MainSession().mainModes.viewMode = AmView;
    AddContour(true, false, 0.0, 0.0, 10.0, 10.0);
    AddContour(false, false, -50.0, -50.0, 60.0, 60.0);
    ShowAreas(0.0, 1.0);
    Image one = Rendered(300, 300);
    EXPECT_EQ(one.at(2, 150), ResultBlue);  // the Am square fills the whole height, 0..299
    EXPECT_EQ(one.at(150, 299), ResultBlue);
    ShowAreas(0.0, 8.0);
    Image eight = Rendered(300, 300);
    int differ = 0;
    for (int y = 0; y < 20; y++)
        for (int x = 0; x < 150; x++)
            differ += one.at(x, y) != eight.at(x, y);
    EXPECT_GT(differ, 0) << "the label does not show the Am value";
}

TEST_F(Renderer, ResultViewWithoutContoursShowsOnlyTheLabel) {
    MainSession().drawing.isOpen = MainSession().drawing.calcReady = 1;
    MainSession().mainModes.viewMode = AdView;
    AddContour(false, false, 0.0, 0.0, 100.0, 50.0);  // nothing for Ad
    MainSession().drawing.polygons.appendPolygon(Box(0, 10.0, 10.0, 20.0, 20.0));
    Image image = Rendered(400, 300);
    int ink = 0;
    for (int y = 0; y < image.height; y++)
        for (int x = 0; x < image.width; x++) {
            COLORREF c = image.at(x, y);
            ASSERT_NE(c, ResultBlue) << x << "," << y;
            ASSERT_NE(c, StructureGrey) << x << "," << y;
            if (c != White) {
                ink++;
                ASSERT_TRUE(x < 200 && y < 30) << "ink away from the label at " << x << "," << y;
            }
        }
    EXPECT_GT(ink, 20);
}

TEST_F(Renderer, ResultViewStaysWhiteUntilTheDrawingIsReady) {
    AddContour(true, false, 0.0, 0.0, 100.0, 50.0);
    MainSession().mainModes.viewMode = AdView;
    MainSession().drawing.isOpen = 1;
    MainSession().drawing.calcReady = 0;
    Image image = Rendered(200, 100);
    for (COLORREF c : image.pixels)
        ASSERT_EQ(c, White);
}

namespace {

int RecordedPrompt(HWND, const char* text, const char*, UINT) {
    ADD_FAILURE() << "unexpected message box: " << text;
    return IDOK;
}

// A hidden main window per test.
class CanvasWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetEverything();
        savedPrompt = Prompt;
        Prompt = RecordedPrompt;
        SetCursorPos(0, 0);  // away from the window, so no real mouse move reaches it
        RegisterMainClassesOnce();
        window = CreateMainWindow(GetModuleHandleA(nullptr), L"zelvora.exe");
        ASSERT_NE(window, nullptr);
        canvas = canvasWindow;
        MainSession().drawing.isOpen = 1;
    }

    void TearDown() override {
        MainSession().drawing.modified = 0;
        if (IsWindow(window))
            DestroyWindow(window);
        PumpMessages();
        Prompt = savedPrompt;
        SetCursorPos(0, 0);
        ResetEverything();
    }

    std::string Status(int part) {
        char text[300] = {};
        if (LOWORD(SendMessageA(statusBar, SB_GETTEXTLENGTHA, part, 0)) >= sizeof text)
            return "(too long)";
        SendMessageA(statusBar, SB_GETTEXTA, part, reinterpret_cast<LPARAM>(text));
        return text;
    }

    void MouseMove(int x, int y) { SendMessageA(canvas, WM_MOUSEMOVE, 0, MAKELPARAM(x, y)); }

    HWND window = nullptr;
    HWND canvas = nullptr;
    PromptFn savedPrompt = nullptr;
};

// A hidden window keeps no pixels, so the pixel tests use a canvas of their own, shown as a popup
// beside the pointer. A popup is not managed by the X server's window manager, so Wine hides it at
// once; hiding the main window would wait for a window manager that is not there.
class CanvasOnScreen : public CanvasWindow {
  protected:
    void SetUp() override {
        CanvasWindow::SetUp();
        if (HasFatalFailure())
            return;
        canvas = CreateWindowExA(WS_EX_NOACTIVATE, TEXT_CANVAS_CLASS, nullptr, WS_POPUP | WS_VSCROLL | WS_HSCROLL, 100,
                                 100, 640, 480, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(canvas, nullptr);
        // A drawing with hatching under the bands and a grid of 10 pixels.
        MainSession().drawing.drawOptions.snapIndex = 4;
        MainSession().drawing.polygons.appendPolygon(Box(0, 5.0, 5.0, 20.0, 15.0));
        MainSession().drawing.polygons.appendPolygon(Box(1, 25.0, 5.0, 35.0, 20.0));
        ShowWindow(canvas, SW_SHOWNOACTIVATE);
        PumpMessages();
        InvalidateRect(canvas, nullptr, TRUE);
        UpdateWindow(canvas);
        PumpMessages();
    }

    void TearDown() override {
        if (IsWindow(canvas))
            DestroyWindow(canvas);
        CanvasWindow::TearDown();
    }
};

}  // namespace

TEST_F(CanvasOnScreen, PaintShowsWhatPaintCanvasDrawsAndClearsTheBand) {
    MainSession().canvasState.bandVisible = true;
    InvalidateRect(canvas, nullptr, TRUE);
    UpdateWindow(canvas);
    EXPECT_FALSE(MainSession().canvasState.bandVisible);
    Image screen = OnScreen(canvas);
    ASSERT_GT(screen.width, 400);
    ASSERT_GT(screen.height, 350);
    EXPECT_EQ(CountDifferent(screen, Rendered(screen.width, screen.height)), 0);
    EXPECT_EQ(screen.at(40, 30), Black);    // a grid dot
    EXPECT_EQ(screen.at(49, 49), MarkRed);  // the mark of the vertex at (50, 50)
}

TEST_F(CanvasWindow, EraseBackgroundLeavesThePixelsAlone) {
    MemoryCanvas target(20, 20);
    memset(target.pixels, 0, 20 * 20 * 4);
    EXPECT_NE(SendMessageA(canvas, WM_ERASEBKGND, reinterpret_cast<WPARAM>(target.dc), 0), 0);
    Image image = ImageOf(target);
    for (COLORREF c : image.pixels)
        ASSERT_EQ(c, Black);
}

TEST_F(CanvasOnScreen, VertexBandInvertsAndErasesItself) {
    Image before = OnScreen(canvas);
    MainSession().editState.dragActive = true;
    MainSession().editState.selectedPolygon = 0;
    MainSession().editState.selectedVertex = 1;  // (200, 50), between (50, 50) and (200, 150)
    MainSession().canvasState.pointerPixel = {260, 90};
    ASSERT_TRUE(DrawVertexBand(canvas));
    EXPECT_TRUE(MainSession().canvasState.bandVisible);
    Image shown = OnScreen(canvas);
    EXPECT_GT(CountDifferent(before, shown), 150);
    // The segment to (200, 150) runs diagonally through a grid dot and the white beside it.
    EXPECT_EQ(before.at(240, 110), Black);
    EXPECT_EQ(shown.at(240, 110), White);
    EXPECT_EQ(shown.at(245, 105), Black);
    MainSession().canvasState.bandVisible = false;
    ASSERT_TRUE(DrawVertexBand(canvas));
    EXPECT_EQ(CountDifferent(before, OnScreen(canvas)), 0);
    // A move: the band at the old end is erased as the one at the new end is drawn.
    MainSession().canvasState.bandVisible = false;
    DrawVertexBand(canvas);
    MainSession().canvasState.bandPixel = MainSession().canvasState.pointerPixel;
    MainSession().canvasState.pointerPixel = {300, 240};
    DrawVertexBand(canvas);
    MainSession().canvasState.bandVisible = false;
    DrawVertexBand(canvas);
    EXPECT_EQ(CountDifferent(before, OnScreen(canvas)), 0);
}

TEST_F(CanvasOnScreen, PolygonGhostInvertsItsWholeAreaAndErasesItself) {
    Image before = OnScreen(canvas);
    MainSession().editState.dragActive = true;
    MainSession().editState.selectedPolygon = 1;  // 25..35 x 5..20 m, grabbed at (30, 10)
    MainSession().editState.dragOrigin = {30.0, 10.0};
    MainSession().canvasState.pointerPixel = {150, 120};  // the ghost covers 100..200 x 70..220 pixels
    ASSERT_TRUE(DrawPolygonGhost(canvas));
    Image shown = OnScreen(canvas);
    for (int y = 72; y <= 218; y += 3)
        for (int x = 102; x <= 198; x += 3)
            ASSERT_EQ(shown.at(x, y), before.at(x, y) ^ 0xFFFFFF) << x << "," << y;
    EXPECT_EQ(before.at(230, 100), shown.at(230, 100));  // outside the ghost
    MainSession().canvasState.bandVisible = false;
    ASSERT_TRUE(DrawPolygonGhost(canvas));
    EXPECT_EQ(CountDifferent(before, OnScreen(canvas)), 0);
}

TEST_F(CanvasOnScreen, CreateBandErasesItselfAndLeavesThePlacedEdge) {
    Image before = OnScreen(canvas);
    MainSession().editState.constructing = true;
    PolygonRecord& pending = MainSession().editState.pendingPolygon;
    pending.x = {5.0, 15.0};
    pending.y = {25.0, 25.0};  // pixels (50, 250) to (150, 250)
    pending.height = {0.0, 0.0};
    pending.vertexCount = 2;
    MainSession().canvasState.pointerPixel = {100, 330};
    DrawCreateBand(canvas);
    Image shown = OnScreen(canvas);
    int offTheEdge = 0;
    for (int y = 0; y < before.height; y++)
        for (int x = 0; x < before.width; x++)
            offTheEdge += y != 250 && shown.at(x, y) != before.at(x, y);
    EXPECT_GT(offTheEdge, 100) << "no band to the pointer";
    MainSession().canvasState.bandVisible = false;
    DrawCreateBand(canvas);
    Image after = OnScreen(canvas);
    for (int y = 0; y < before.height; y++)
        for (int x = 0; x < before.width; x++)
            if (after.at(x, y) != before.at(x, y)) {
                ASSERT_EQ(y, 250) << "left over at " << x << "," << y;
                ASSERT_TRUE(x >= 50 && x <= 150) << x;
                ASSERT_EQ(after.at(x, y), Black) << x;
            }
    EXPECT_EQ(after.at(105, 250), Black);  // the placed edge is drawn, since paints leave it out
}

TEST_F(CanvasOnScreen, BandsWithNothingToDrawChangeNoPixel) {
    Image before = OnScreen(canvas);
    MainSession().canvasState.pointerPixel = {100, 100};
    DrawCreateBand(canvas);  // not constructing
    EXPECT_TRUE(MainSession().canvasState.bandVisible);
    MainSession().canvasState.bandVisible = false;
    MainSession().editState.selectedPolygon = 2;
    MainSession().editState.selectedVertex = 0;
    EXPECT_FALSE(DrawVertexBand(canvas));
    EXPECT_FALSE(DrawPolygonGhost(canvas));
    MainSession().editState.selectedPolygon = 0;
    MainSession().editState.selectedVertex = 4;
    EXPECT_FALSE(DrawVertexBand(canvas));
    EXPECT_FALSE(MainSession().canvasState.bandVisible);
    EXPECT_EQ(CountDifferent(before, OnScreen(canvas)), 0);
}

TEST_F(CanvasWindow, MouseMoveSnapsAndShowsTheDistances) {
    MainSession().drawing.drawOptions.snapIndex = 4;
    MainSession().drawing.drawOptions.snapOn = 1;
    MainSession().mainModes.toolMode = CreateTool;
    SendMessageA(canvas, WM_PAINT, 0, 0);
    ASSERT_EQ(MainSession().canvasState.gridStep, 10);
    MouseMove(104, 57);
    EXPECT_EQ(MainSession().canvasState.pointerPixel.x, 100);
    EXPECT_EQ(MainSession().canvasState.pointerPixel.y, 60);
    EXPECT_EQ(MainSession().canvasState.bandPixel.x, 100);
    EXPECT_EQ(Status(0), "Distance from beginning [m] x: 10.00 y: 6.00");
    EXPECT_EQ(Status(1), "");
    POINT cursor, expected = {100, 60};
    GetCursorPos(&cursor);
    ClientToScreen(canvas, &expected);
    EXPECT_EQ(cursor.x, expected.x);
    EXPECT_EQ(cursor.y, expected.y);
    // With a vertex placed at (7, 2) the second part measures from it.
    MainSession().editState.constructing = true;
    MainSession().editState.pendingPolygon.x = {7.0};
    MainSession().editState.pendingPolygon.y = {2.0};
    MainSession().editState.pendingPolygon.height = {0.0};
    MainSession().editState.pendingPolygon.vertexCount = 1;
    MouseMove(100, 60);
    EXPECT_EQ(Status(1), "Distance [m] x: 3.000, y: 4.000, tot: 5.000");
}

TEST_F(CanvasWindow, DeleteToolDoesNotSnap) {
    MainSession().drawing.drawOptions.snapOn = 1;
    MainSession().mainModes.toolMode = DeleteTool;
    SendMessageA(canvas, WM_PAINT, 0, 0);
    MouseMove(104, 57);
    EXPECT_FALSE(MainSession().canvasState.snapActive);
    EXPECT_EQ(MainSession().canvasState.pointerPixel.x, 104);
    EXPECT_EQ(MainSession().canvasState.pointerPixel.y, 57);
    EXPECT_EQ(Status(0), "Distance from beginning [m] x: 10.40 y: 5.70");
}

TEST_F(CanvasWindow, ResultViewsShowTheirAreaAndNoDistance) {
    ShowAreas(0.0123456, 2.5);
    MainSession().mainModes.viewMode = AdView;
    SetStatusText(1, "stale");
    MouseMove(30, 40);
    EXPECT_EQ(Status(0), "Ad view [km^2]: 1.23456e-02");
    EXPECT_EQ(Status(1), "");
    MainSession().mainModes.viewMode = AmView;
    MouseMove(31, 40);
    EXPECT_EQ(Status(0), "Am view [km^2]: 2.50000e+00");
}

TEST_F(CanvasWindow, ScrollBarsMoveByLineAndPageOnly) {
    MainSession().drawing.drawOptions.mapSize = 100.7;
    SendMessageA(canvas, WM_SIZE, SIZE_RESTORED, MAKELPARAM(400, 300));
    EXPECT_EQ(MainSession().canvasState.pageX, 40);
    EXPECT_EQ(MainSession().canvasState.pageY, 30);
    SCROLLINFO bar = {};
    bar.cbSize = sizeof bar;
    bar.fMask = SIF_ALL;
    GetScrollInfo(canvas, SB_VERT, &bar);
    EXPECT_EQ(bar.nMin, 0);
    EXPECT_EQ(bar.nMax, 100);
    EXPECT_EQ(bar.nPage, 30u);
    GetScrollInfo(canvas, SB_HORZ, &bar);
    EXPECT_EQ(bar.nMax, 100);
    EXPECT_EQ(bar.nPage, 40u);
    auto scroll = [this](UINT message, int code) {
        SendMessageA(canvas, message, MAKEWPARAM(code, 50), 0);
        return GetScrollPos(canvas, message == WM_VSCROLL ? SB_VERT : SB_HORZ);
    };
    EXPECT_EQ(scroll(WM_VSCROLL, SB_LINEDOWN), 1);
    EXPECT_EQ(scroll(WM_VSCROLL, SB_PAGEDOWN), 31);
    EXPECT_EQ(scroll(WM_VSCROLL, SB_THUMBTRACK), 31);
    EXPECT_EQ(scroll(WM_VSCROLL, SB_BOTTOM), 31);
    EXPECT_EQ(scroll(WM_VSCROLL, SB_TOP), 31);
    EXPECT_EQ(scroll(WM_VSCROLL, SB_PAGEDOWN), 61);
    EXPECT_EQ(scroll(WM_VSCROLL, SB_PAGEDOWN), 71);  // held at 100 - 30 + 1 by the bar
    EXPECT_EQ(scroll(WM_VSCROLL, SB_LINEUP), 70);
    EXPECT_EQ(scroll(WM_HSCROLL, SB_LINEDOWN), 1);
    EXPECT_EQ(scroll(WM_HSCROLL, SB_PAGEDOWN), 41);
    EXPECT_EQ(scroll(WM_HSCROLL, SB_PAGEUP), 1);
    EXPECT_EQ(scroll(WM_HSCROLL, SB_LINEUP), 0);
    EXPECT_EQ(scroll(WM_HSCROLL, SB_LINEUP), 0);
    SendMessageA(canvas, WM_PAINT, 0, 0);  // the paint reads the view's origin back from the bars
    EXPECT_EQ(MainSession().canvasState.scrollY, 70);
    EXPECT_EQ(MainSession().canvasState.scrollX, 0);
}

TEST_F(CanvasWindow, ResultViewsHaveNoScrollRangeAndReturnToTheOrigin) {
    MainSession().drawing.drawOptions.mapSize = 250.0;
    SendMessageA(canvas, WM_SIZE, SIZE_RESTORED, MAKELPARAM(400, 300));
    SendMessageA(canvas, WM_VSCROLL, SB_PAGEDOWN, 0);
    SendMessageA(canvas, WM_HSCROLL, SB_LINEDOWN, 0);
    ASSERT_EQ(GetScrollPos(canvas, SB_VERT), 30);
    MainSession().mainModes.viewMode = AmView;
    SendMessageA(canvas, WM_SIZE, SIZE_RESTORED, MAKELPARAM(400, 300));
    int minimum = -1, maximum = -1;
    GetScrollRange(canvas, SB_VERT, &minimum, &maximum);
    EXPECT_EQ(maximum, 0);
    GetScrollRange(canvas, SB_HORZ, &minimum, &maximum);
    EXPECT_EQ(maximum, 0);
    MainSession().mainModes.viewMode = DrawingView;
    SendMessageA(canvas, WM_SIZE, SIZE_RESTORED, MAKELPARAM(400, 300));
    GetScrollRange(canvas, SB_VERT, &minimum, &maximum);
    EXPECT_EQ(maximum, 250);
    EXPECT_EQ(GetScrollPos(canvas, SB_VERT), 0);
    EXPECT_EQ(GetScrollPos(canvas, SB_HORZ), 0);
}

TEST_F(CanvasWindow, ToolsInTheDrawingViewGiveTheCross) {
    HCURSOR cross = LoadCursorA(nullptr, IDC_CROSS), arrow = LoadCursorA(nullptr, IDC_ARROW);
    auto cursorAfterAsking = [&]() {
        SetCursor(arrow);
        SendMessageA(canvas, WM_SETCURSOR, reinterpret_cast<WPARAM>(canvas), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        return GetCursor();
    };
    for (int32_t tool : {CreateTool, EditTool, DeleteTool}) {
        MainSession().mainModes.toolMode = tool;
        EXPECT_EQ(cursorAfterAsking(), cross) << "tool " << tool;
    }
    MainSession().mainModes.toolMode = NoTool;
    EXPECT_NE(cursorAfterAsking(), cross);
    MainSession().mainModes.toolMode = CreateTool;
    MainSession().mainModes.viewMode = AdView;
    EXPECT_NE(cursorAfterAsking(), cross);
}
