// Tests of the view arithmetic: the transform, the scroll ranges, the grid, snapping with its carry,
// the status texts, the fitting of a result view and the BMP header.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "app/drawing_lifecycle.h"
#include "engine/run/calc_records.h"
#include "model/drawing.h"
#include "tests/session_test.h"
#include "view/bmp_layout.h"
#include "view/canvas_state.h"
#include "view/fit_view.h"
#include "view/result_mapping.h"
#include "view/snap.h"
#include "view/status_texts.h"
#include "view/view_transform.h"

namespace {

const ViewTransform AtOne = {0, 0, 1.0};  // "x 1.0", scrolled to the origin

void ExpectPixel(PixelPoint actual, int32_t x, int32_t y) {
    EXPECT_EQ(actual.x, x);
    EXPECT_EQ(actual.y, y);
}

// A rectangle as a contour of the result, counter-clockwise in the y-down view.
void AddContour(CalcResult* result, bool ad, bool hole, double left, double top, double width, double height) {
    result->contours.push_back({{left, top}, {left + width, top}, {left + width, top + height}, {left, top + height}});
    result->adFlags.push_back(ad ? 1 : 0);
    result->holeFlags.push_back(hole ? 1 : 0);
    result->contourCount = static_cast<int32_t>(result->contours.size());
}

uint32_t LittleEndian(const std::vector<uint8_t>& bytes, size_t offset, int size) {
    uint32_t value = 0;
    for (int i = size - 1; i >= 0; i--)
        value = (value << 8) | bytes[offset + i];
    return value;
}

}  // namespace

TEST(ViewTransform, PixelAndWorldAgreeAtOneToOne) {
    Point world = ToWorld(AtOne, 123, 45);
    EXPECT_DOUBLE_EQ(world.x, 12.3);
    EXPECT_DOUBLE_EQ(world.y, 4.5);
    ExpectPixel(ToPixel(AtOne, 12.3, 4.5), 123, 45);
    // Part of a pixel is cut off, never rounded up.
    ExpectPixel(ToPixel(AtOne, 12.36, 4.5), 123, 45);
    ExpectPixel(ToPixel(AtOne, 12.39, 4.59), 123, 45);
}

TEST(ViewTransform, OneMetreSpansTenOverZPixels) {
    const ViewTransform tenfold = {0, 0, 0.1}, tenth = {0, 0, 10.0};
    ExpectPixel(ToPixel(tenfold, 1.0, 2.0), 100, 200);
    ExpectPixel(ToPixel(tenth, 1.0, 2.0), 1, 2);
    ExpectPixel(ToPixel(tenth, 9.99, 0.5), 9, 0);
    EXPECT_NEAR(ToWorld(tenfold, 100, 250).x, 1.0, 1e-12);
    EXPECT_NEAR(ToWorld(tenfold, 100, 250).y, 2.5, 1e-12);
    EXPECT_DOUBLE_EQ(ToWorld(tenth, 7, 3).x, 7.0);
}

TEST(ViewTransform, ScrollPositionIsTheWorldAtTheTopLeftPixel) {
    const ViewTransform scrolled = {20, 10, 1.0};
    Point corner = ToWorld(scrolled, 0, 0);
    EXPECT_DOUBLE_EQ(corner.x, 20.0);
    EXPECT_DOUBLE_EQ(corner.y, 10.0);
    ExpectPixel(ToPixel(scrolled, 32.35, 14.5), 123, 45);
    // The y axis is not flipped: further down the map is further down the canvas.
    EXPECT_GT(ToPixel(scrolled, 20.0, 30.0).y, ToPixel(scrolled, 20.0, 11.0).y);
}

TEST(ViewTransform, WorldBeforeTheScrollOriginTruncatesTowardZero) {
    const ViewTransform scrolled = {20, 10, 1.0};
    // -12.5 and -0.5 pixels: toward zero gives -12 and 0, where rounding down would give -13 and -1.
    ExpectPixel(ToPixel(scrolled, 18.75, 9.95), -12, 0);
    ExpectPixel(ToPixel(scrolled, 17.0, 4.0), -30, -60);
}

// A point far off the canvas, or a map size typed absurdly large, stays within what GDI can draw
// instead of overflowing the pixel integer.
TEST(ViewTransform, FarPointsAndHugeMapsStayWithinTheDrawableRange) {
    const int32_t limit = 1 << 27;
    const ViewTransform atTen = {0, 0, 0.1};
    ExpectPixel(ToPixel(atTen, 3e7, -3e7), limit, -limit);
    ExpectPixel(ToPixel(atTen, 1e300, -1e300), limit, -limit);
    EXPECT_EQ(ScrollMaximum(3e9, false), limit);
    EXPECT_EQ(PixelCoordinate(std::nan("")), -limit);
    PixelPoint ghost = GhostVertex({100, 100}, {1e12, -1e12}, {0, 0}, 0.1);
    ExpectPixel(ghost, limit, 100 - limit);
}

TEST(ViewScroll, PageIsWholeTensOfPixelsTimesZoomAtLeastOne) {
    EXPECT_EQ(ScrollPage(9, 1.0), 1);  // trunc(9 / 10) = 0, raised to 1
    EXPECT_EQ(ScrollPage(0, 1.0), 1);
    EXPECT_EQ(ScrollPage(800, 1.0), 80);
    // The tens are taken before the zoom multiplies: 9 x 2 = 18, not 9.5 x 2 = 19.
    EXPECT_EQ(ScrollPage(95, 2.0), 18);
    EXPECT_EQ(ScrollPage(95, 0.1), 1);  // 0.9 metres, raised to 1
    EXPECT_EQ(ScrollPage(470, 0.5), 23);
    EXPECT_EQ(ScrollPage(470, 10.0), 470);
}

TEST(ViewScroll, MaximumIsTheWholeMapSizeOrNothingInResultViews) {
    EXPECT_EQ(ScrollMaximum(100.7, false), 100);
    EXPECT_EQ(ScrollMaximum(250.0, false), 250);
    EXPECT_EQ(ScrollMaximum(100.7, true), 0);
    EXPECT_EQ(ScrollMaximum(5000.0, true), 0);
}

TEST(ViewGrid, StepIsSnapTimesTenOverZoomAtLeastOnePixel) {
    EXPECT_EQ(GridStep(1.0, 1.0), 10);
    EXPECT_EQ(GridStep(0.1, 10.0), 1);  // 0.1 pixel raised to 1
    EXPECT_EQ(GridStep(0.5, 0.2), 25);
    EXPECT_EQ(GridStep(10.0, 0.1), 1000);
    EXPECT_EQ(GridStep(0.5, 2.0), 2);  // 2.5 pixels, truncated
    EXPECT_EQ(GridStep(2.0, 5.0), 4);
}

TEST(SnapToGrid, RoundsToTheNearestMultipleWithHalfGoingUp) {
    struct Case {
        int32_t value, step, expected;
    };
    const Case cases[] = {
        {14, 10, 10}, {15, 10, 20}, {25, 10, 30}, {0, 10, 0}, {20, 10, 20}, {19, 10, 20}, {2, 5, 5},
        {1, 5, 0},    {7, 5, 10},   {6, 5, 5},    {8, 5, 10}, {13, 4, 12},  {14, 4, 16},  // remainder 2 is not below 4
                                                                                          // div 2; nor is 7 % 5 below 5
                                                                                          // div 2, so 7 goes to 10
    };
    for (const Case& c : cases) {
        PixelPoint snapped = SnapToGrid({c.value, c.value}, c.step);
        EXPECT_EQ(snapped.x, c.expected) << c.value << " on a grid of " << c.step;
        EXPECT_EQ(snapped.y, c.expected) << c.value << " on a grid of " << c.step;
    }
}

TEST(SnapToGrid, NegativeCoordinatesMoveTowardZero) {
    ExpectPixel(SnapToGrid({-14, -16}, 10), -10, -10);
    ExpectPixel(SnapToGrid({-5, -25}, 10), 0, -20);
    ExpectPixel(SnapToGrid({-3, 6}, 5), 0, 5);
}

class SnapTracking : public SessionTest {
  protected:
    void SetUp() override {
        canvasState.gridStep = 10;
        canvasState.pointerPixel = {100, 50};
    }

    // The cursor sits where the last move put it, so the next raw position is that plus the move.
    PixelPoint Move(int32_t dx, int32_t dy) {
        PixelPoint from = canvasState.pointerPixel;
        TrackPointer(&canvasState, drawing, {from.x + dx, from.y + dy}, true);
        return canvasState.pointerPixel;
    }
};

TEST_F(SnapTracking, SmallMovesAddUpUntilAWholeStep) {
    for (int32_t expected : {2, 4, 6, 8}) {
        ExpectPixel(Move(2, 0), 100, 50);
        EXPECT_EQ(canvasState.snapCarry.x, expected);
    }
    ExpectPixel(Move(2, 0), 110, 50);  // 102 + 10 = 112 snaps to 110
    EXPECT_EQ(canvasState.snapCarry.x, 0);
}

TEST_F(SnapTracking, ACarryPastHalfAStepJumpsTwoGridPoints) {
    for (int32_t expected : {3, 6, 9}) {
        ExpectPixel(Move(3, 0), 100, 50);
        EXPECT_EQ(canvasState.snapCarry.x, expected);
    }
    ExpectPixel(Move(3, 0), 120, 50);  // 103 + 12 = 115 snaps to 120
    ExpectPixel(Move(-3, 0), 120, 50);
    EXPECT_EQ(canvasState.snapCarry.x, -3);
}

TEST_F(SnapTracking, AWholeStepOnEitherAxisClearsTheCarry) {
    Move(2, 0);
    Move(2, 0);
    ASSERT_EQ(canvasState.snapCarry.x, 4);
    ExpectPixel(Move(4, 10), 100, 60);  // the raw (104, 60), snapped without the carry
    EXPECT_EQ(canvasState.snapCarry.x, 0);
    EXPECT_EQ(canvasState.snapCarry.y, 0);
    Move(0, 3);
    ExpectPixel(Move(13, 0), 110, 60);
    EXPECT_EQ(canvasState.snapCarry.y, 0);
    ExpectPixel(Move(-2, 0), 110, 60);
    EXPECT_EQ(canvasState.snapCarry.x, -2);  // counting again from nothing
}

TEST_F(SnapTracking, BothAxesFullAtOnceMoveTogether) {
    for (int i = 0; i < 3; i++)
        ExpectPixel(Move(3, 3), 100, 50);
    ExpectPixel(Move(3, 3), 120, 70);
    EXPECT_EQ(canvasState.snapCarry.x, 0);
    EXPECT_EQ(canvasState.snapCarry.y, 0);
}

TEST_F(SnapTracking, OneAxisFullKeepsTheOthersCarry) {
    SnapCarry carry;
    carry.x = 9;
    carry.y = 4;
    PixelPoint carried = CarryMove({103, 52}, {100, 50}, 10, &carry);
    ExpectPixel(carried, 115, 52);
    EXPECT_EQ(carry.x, 0);
    EXPECT_EQ(carry.y, 6);
    carried = CarryMove({100, 46}, {100, 50}, 10, &carry);  // back up: 6 - 4 = 2, short of a step
    ExpectPixel(carried, 100, 46);
    EXPECT_EQ(carry.y, 2);
}

TEST_F(SnapTracking, WithoutSnappingThePointerIsTheRawPosition) {
    canvasState.snapCarry.x = 7;
    EXPECT_FALSE(TrackPointer(&canvasState, drawing, {104, 57}, false));
    EXPECT_FALSE(canvasState.snapActive);
    ExpectPixel(canvasState.pointerPixel, 104, 57);
    EXPECT_DOUBLE_EQ(canvasState.cursorPoint.x, 10.4);
    EXPECT_DOUBLE_EQ(canvasState.cursorPoint.y, 5.7);
    // No grid drawn yet: snapping asked for, but the pointer stays free and nothing divides by zero.
    canvasState.gridStep = 0;
    EXPECT_FALSE(TrackPointer(&canvasState, drawing, {33, 21}, true));
    EXPECT_FALSE(canvasState.snapActive);
    ExpectPixel(canvasState.pointerPixel, 33, 21);
}

TEST_F(SnapTracking, SnappingReportsWhenTheCursorMustFollow) {
    EXPECT_TRUE(TrackPointer(&canvasState, drawing, {104, 50}, true));  // carried to 104, drawn at 100
    EXPECT_TRUE(canvasState.snapActive);
    ExpectPixel(canvasState.pointerPixel, 100, 50);
    EXPECT_DOUBLE_EQ(canvasState.cursorPoint.x, 10.0);
    EXPECT_FALSE(TrackPointer(&canvasState, drawing, {200, 300}, true));  // a long move straight onto a grid point
    ExpectPixel(canvasState.pointerPixel, 200, 300);
    EXPECT_TRUE(TrackPointer(&canvasState, drawing, {226, 300}, true));
    ExpectPixel(canvasState.pointerPixel, 230, 300);
}

TEST_F(SnapTracking, CursorPointFollowsZoomAndScroll) {
    drawing.drawOptions.zoomIndex = 0;  // "x 10"
    canvasState.scrollX = 5;
    canvasState.scrollY = 7;
    TrackPointer(&canvasState, drawing, {126, 53}, false);
    EXPECT_NEAR(canvasState.cursorPoint.x, 6.26, 1e-9);
    EXPECT_NEAR(canvasState.cursorPoint.y, 7.53, 1e-9);
    canvasState.pointerPixel = {0, 0};
    TrackPointer(&canvasState, drawing, {126, 53}, true);  // snapped to (130, 50) first
    EXPECT_NEAR(canvasState.cursorPoint.x, 6.3, 1e-9);
    EXPECT_NEAR(canvasState.cursorPoint.y, 7.5, 1e-9);
}

TEST(ViewStatusTexts, AreFormattedExactly) {
    EXPECT_EQ(PointerStatus({12.3, 4.5}), "Distance from beginning [m] x: 12.30 y: 4.50");
    EXPECT_EQ(PointerStatus({-0.5, 1234.0}), "Distance from beginning [m] x: -0.50 y: 1234.00");
    EXPECT_EQ(DistanceStatus(3.0, -4.0), "Distance [m] x: 3.000, y: -4.000, tot: 5.000");
    EXPECT_EQ(DistanceStatus(-3.0, 0.25), "Distance [m] x: -3.000, y: 0.250, tot: 3.010");
    EXPECT_EQ(AreaStatus(true, 0.0123456), "Ad view [km^2]: 1.23456e-02");
    EXPECT_EQ(AreaStatus(false, 1.5), "Am view [km^2]: 1.50000e+00");
    EXPECT_EQ(AreaStatus(false, 0.0), "Am view [km^2]: 0.00000e+00");
    EXPECT_EQ(AreaLabel(0.0123456), "1.23456e-02 km^2");
}

// Whole square metres grouped by thousands, rounded, and the km^2 figure as the status shows it.
TEST(ViewStatusTexts, PictureCaptionNamesTheViewAreaAndUnit) {
    const struct {
        bool ad;
        double area;
        const char* caption;
    } cases[] = {
        {true, 0.0133352, "Ad = 13 335 m\xB2 (1.33352e-02 km\xB2)"},
        {false, 0.80637912, "Am = 806 379 m\xB2 (8.06379e-01 km\xB2)"},
        {true, 0.0, "Ad = 0 m\xB2 (0.00000e+00 km\xB2)"},
        {true, 0.0009995, "Ad = 1 000 m\xB2 (9.99500e-04 km\xB2)"},
        {false, 0.000999, "Am = 999 m\xB2 (9.99000e-04 km\xB2)"},
        {false, 1234.5678901, "Am = 1 234 567 890 m\xB2 (1.23457e+03 km\xB2)"},
        {true, 4.9e-7, "Ad = 0 m\xB2 (4.90000e-07 km\xB2)"},
        {true, 2e15, "Ad = 2.00000e+15 km\xB2"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PictureCaption(c.ad, c.area), c.caption) << c.area;
}

TEST(ResultMapping, CentresTheLargerSideOnTheShorterSideOfTheRect) {
    CalcResult result;
    AddContour(&result, true, false, 1000.0, 2000.0, 100.0, 50.0);
    ResultMapping mapping(result, true, 400, 300);
    ASSERT_TRUE(mapping.usable());
    // 3 pixels a metre: 300 x 150 pixels centred on (200, 150).
    ExpectPixel(mapping.map(1000.0, 2000.0), 50, 75);
    ExpectPixel(mapping.map(1100.0, 2050.0), 350, 225);
    ExpectPixel(mapping.map(1050.0, 2025.0), 200, 150);
    ExpectPixel(mapping.map(1010.5, 2001.5), 81, 79);
}

TEST(ResultMapping, TallOutlineFillsTheHeight) {
    CalcResult result;
    AddContour(&result, false, false, -25.0, -50.0, 50.0, 100.0);
    ResultMapping mapping(result, false, 400, 300);
    ASSERT_TRUE(mapping.usable());
    ExpectPixel(mapping.map(-25.0, -50.0), 125, 0);
    ExpectPixel(mapping.map(25.0, 50.0), 275, 300);
}

TEST(ResultMapping, OnlyTheChosenAreaSetsTheBox) {
    CalcResult result;
    AddContour(&result, true, false, 0.0, 0.0, 100.0, 50.0);
    AddContour(&result, false, false, -500.0, -500.0, 1100.0, 1100.0);  // Am, far larger
    AddContour(&result, true, true, 20.0, 10.0, 10.0, 10.0);
    ResultMapping ad(result, true, 400, 300);
    ExpectPixel(ad.map(0.0, 0.0), 50, 75);
    ExpectPixel(ad.map(100.0, 50.0), 350, 225);
    ResultMapping am(result, false, 400, 300);
    ExpectPixel(am.map(-500.0, -500.0), 50, 0);
}

TEST(ResultMapping, NothingToFitIsUnusable) {
    CalcResult onlyAm;
    AddContour(&onlyAm, false, false, 0.0, 0.0, 100.0, 50.0);
    EXPECT_FALSE(ResultMapping(onlyAm, true, 400, 300).usable());
    EXPECT_TRUE(ResultMapping(onlyAm, false, 400, 300).usable());
    EXPECT_FALSE(ResultMapping(CalcResult(), false, 400, 300).usable());
    CalcResult point;
    AddContour(&point, true, false, 7.0, 7.0, 0.0, 0.0);
    EXPECT_FALSE(ResultMapping(point, true, 400, 300).usable());
    EXPECT_FALSE(ResultMapping(onlyAm, false, 0, 300).usable());
    EXPECT_FALSE(ResultMapping(onlyAm, false, 400, 0).usable());
    // A line still has a size along its length.
    CalcResult line;
    AddContour(&line, true, false, 0.0, 5.0, 30.0, 0.0);
    EXPECT_TRUE(ResultMapping(line, true, 300, 300).usable());
}

TEST(ResultPaintOrder, LargestFirstAndOnlyTheChosenArea) {
    CalcResult result;
    AddContour(&result, true, false, 0, 0, 1, 1);       // 0: Ad, 1 m^2
    AddContour(&result, true, false, 0, 0, 10, 10);     // 1: Ad, 100
    AddContour(&result, false, false, 0, 0, 50, 50);    // 2: Am, 2500
    AddContour(&result, true, true, 0, 0, 5, 5);        // 3: Ad hole, 25
    AddContour(&result, false, true, 0, 0, 20, 20);     // 4: Am hole, 400
    AddContour(&result, false, false, 0, 0, 100, 100);  // 5: Am, 10000
    EXPECT_EQ(ResultPaintOrder(result, true), (std::vector<int32_t>{1, 3, 0}));
    EXPECT_EQ(ResultPaintOrder(result, false), (std::vector<int32_t>{5, 2, 4}));
    EXPECT_TRUE(ResultPaintOrder(CalcResult(), true).empty());
}

TEST(ResultPaintOrder, EqualAreasKeepTheirContourOrder) {
    CalcResult result;
    AddContour(&result, true, false, 0, 0, 5, 5);    // 0: 25
    AddContour(&result, true, false, 9, 9, 25, 1);   // 1: 25, another shape
    AddContour(&result, true, false, 0, 0, 2, 2);    // 2: 4
    AddContour(&result, true, true, 3, 3, 1, 25);    // 3: 25
    AddContour(&result, true, false, 0, 0, 10, 10);  // 4: 100
    EXPECT_EQ(ResultPaintOrder(result, true), (std::vector<int32_t>{4, 0, 1, 3, 2}));
}

TEST(ResultGhostVertex, KeepsTheOffsetFromTheGrabPoint) {
    ExpectPixel(GhostVertex({50, 60}, {12.0, 7.0}, {10.0, 5.0}, 1.0), 70, 80);
    ExpectPixel(GhostVertex({50, 60}, {12.0, 7.0}, {10.0, 5.0}, 0.1), 250, 260);
    ExpectPixel(GhostVertex({50, 60}, {10.0, 5.0}, {10.0, 5.0}, 2.0), 50, 60);
    // Offsets truncate toward zero, as ToPixel does: -12.5 gives -12 and -0.5 gives 0.
    ExpectPixel(GhostVertex({50, 60}, {8.75, 4.95}, {10.0, 5.0}, 1.0), 38, 60);
}

TEST(BmpLayout, HeaderOfA700By400Image) {
    std::vector<uint8_t> header = BmpHeader(700, 400);
    ASSERT_EQ(header.size(), 54u);
    EXPECT_EQ(header[0], 'B');
    EXPECT_EQ(header[1], 'M');
    EXPECT_EQ(LittleEndian(header, 2, 4), 54u + 700u * 400u * 4u);
    EXPECT_EQ(LittleEndian(header, 6, 4), 0u);
    EXPECT_EQ(LittleEndian(header, 10, 4), 54u);
    EXPECT_EQ(LittleEndian(header, 14, 4), 40u);
    EXPECT_EQ(LittleEndian(header, 18, 4), 700u);
    EXPECT_EQ(LittleEndian(header, 22, 4), 400u);  // positive: bottom row first
    EXPECT_EQ(LittleEndian(header, 26, 2), 1u);
    EXPECT_EQ(LittleEndian(header, 28, 2), 32u);
    for (size_t offset = 30; offset < 54; offset += 4)
        EXPECT_EQ(LittleEndian(header, offset, 4), 0u) << "offset " << offset;
}

TEST(BmpLayout, SizeFollowsTheImage) {
    std::vector<uint8_t> header = BmpHeader(3, 1);
    EXPECT_EQ(LittleEndian(header, 2, 4), 54u + 12u);
    EXPECT_EQ(LittleEndian(header, 18, 4), 3u);
    EXPECT_EQ(LittleEndian(header, 22, 4), 1u);
}

// The box fills the canvas inside a margin of a twentieth at the most magnified zoom step, and sits in
// the middle as far as whole metres and the map's start at 0 allow; density does not change the view.
TEST(FitView, ImportedFootprintsFillTheCanvas) {
    const struct {
        const char* what;
        Point low, high;
        int32_t width, height, dpi;
        FittedView fitted;
    } cases[] = {
        {"40 x 20 m site", {100, 200}, {140, 220}, 500, 400, 96, {3, 95, 190}},
        {"the same at 192 DPI", {100, 200}, {140, 220}, 1000, 800, 192, {3, 95, 190}},
        {"a tall site binds on the height", {100, 200}, {110, 236}, 500, 400, 96, {3, 80, 198}},
        {"small near the origin", {0, 0}, {10, 10}, 500, 400, 96, {2, 0, 0}},
        {"too wide for any zoom", {0, 0}, {1000, 10}, 500, 400, 96, {6, 250, 0}},
    };
    for (const auto& c : cases) {
        FittedView fitted = FitBox(c.low, c.high, c.width, c.height, c.dpi);
        EXPECT_EQ(fitted.zoomIndex, c.fitted.zoomIndex) << c.what;
        EXPECT_EQ(fitted.scrollX, c.fitted.scrollX) << c.what;
        EXPECT_EQ(fitted.scrollY, c.fitted.scrollY) << c.what;
    }
}
