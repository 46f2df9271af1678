// Tests of the wheel and the middle button on the canvas: notches out of deltas, the zoom steps of
// Ctrl+wheel, zooming about the pointer, the scroll of a notch and the pan drag.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <vector>

#include "view/wheel_zoom.h"

TEST(WheelNotches, SmallDeltasAddUpAndAReversalStartsAfresh) {
    struct Step {
        int32_t delta, notches, carried;
    };
    struct Case {
        const char* what;
        std::vector<Step> steps;
    };
    const Case cases[] = {
        {"one notch each way", {{120, 1, 0}, {-120, -1, 0}}},
        {"two notches at once", {{-240, -2, 0}}},
        {"a touchpad's thirds", {{40, 0, 40}, {40, 0, 80}, {40, 1, 0}}},
        {"more than a notch keeps the rest", {{250, 2, 10}, {110, 1, 0}}},
        {"the rest keeps its sign", {{-250, -2, -10}, {-110, -1, 0}}},
        {"a reversal drops the carry", {{100, 0, 100}, {-30, 0, -30}, {-90, -1, 0}}},
        {"a reversal by a whole notch answers at once", {{119, 0, 119}, {-120, -1, 0}}},
        {"no turn changes nothing", {{60, 0, 60}, {0, 0, 60}, {60, 1, 0}}},
        {"the largest a message carries", {{32767, 273, 7}, {-32768, -273, -8}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WheelCarry carry;
        for (const Step& step : c.steps) {
            EXPECT_EQ(TakeWheelNotches(&carry, step.delta), step.notches) << step.delta;
            EXPECT_EQ(carry.delta, step.carried) << step.delta;
        }
    }
}

// Zoom values 0.1 0.2 0.5 1 2 5 10 (index 0 to 6); snap steps 0 (off) 0.1 0.2 0.5 1 2 5 10. The Draw
// options dialog refuses a zoom value of five times the snap step or more.
TEST(WheelZoomSteps, SkipRefusedStepsAndStopAtTheEnds) {
    struct Case {
        const char* what;
        int32_t zoomIndex, snapIndex, notches, expected;
    };
    const Case cases[] = {
        {"in by one", 3, 4, 1, 2},
        {"out by one", 3, 4, -1, 4},
        {"out onto a refused step stays", 4, 4, -1, 4},
        {"out by two stops before the refused steps", 3, 4, -2, 4},
        {"in past the end", 1, 4, 5, 0},
        {"out past the end with snapping off", 5, 0, -3, 6},
        {"all the way in", 6, 0, 10, 0},
        {"in from a refused pair skips to the first one accepted", 6, 1, 1, 1},
        {"out from a refused pair finds nothing", 3, 1, -1, 3},
        {"coarse snap allows every step out", 0, 7, -6, 6},
        {"no notch", 2, 4, 0, 2},
        {"the most notches an int holds", 3, 0, INT_MIN, 6},
        {"a zoom index no table holds is left alone", 9, 4, 1, 9},
        {"a snap index no table holds is left alone", 3, -1, 1, 3},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WheelZoomIndex(c.zoomIndex, c.snapIndex, c.notches), c.expected) << c.what;
}

TEST(WheelScroll, PositionsStayWhereTheScrollBarsKeepThem) {
    struct Case {
        int64_t position;
        int32_t maximum, page, expected;
    };
    const Case cases[] = {
        {50, 100, 40, 50}, {61, 100, 40, 61}, {62, 100, 40, 61}, {-1, 100, 40, 0},
        {30, 100, 150, 0},  // a page larger than the map leaves nothing to scroll
        {5, 0, 1, 0},       // the result views have no range
        {INT64_MAX, 100, 1, 100}, {INT64_MIN, 100, 1, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ClampScrollPosition(c.position, c.maximum, c.page), c.expected) << c.position;
}

// The map point under the pointer before the zoom is under it after, to half a metre, unless an end
// of the scroll range holds the view back.
TEST(WheelZoomAboutPointer, ThePointerKeepsItsMapPoint) {
    struct Case {
        const char* what;
        ViewTransform before;
        double newZ;
        PixelPoint pointer;
        int32_t clientWidth, clientHeight, maximum;
        ScrollPosition expected;
        bool heldBack;
    };
    const Case cases[] = {
        {"in, exactly", {10, 20, 1.0}, 0.5, {200, 100}, 800, 500, 100, {20, 25}, false},
        {"out, exactly", {20, 25, 0.5}, 1.0, {200, 100}, 800, 500, 100, {10, 20}, false},
        {"in near the far corner", {20, 50, 1.0}, 0.5, {790, 490}, 800, 500, 100, {60, 75}, false},
        {"out near the far corner, rounded", {60, 75, 0.5}, 1.0, {790, 490}, 800, 500, 100, {21, 51}, false},
        {"out past the origin", {0, 0, 1.0}, 2.0, {100, 100}, 800, 500, 100, {0, 0}, true},
        {"out past the far end", {120, 120, 1.0}, 2.0, {50, 50}, 800, 500, 200, {41, 101}, true},
        {"in, tenfold, against the far end", {90, 90, 1.0}, 0.1, {50, 50}, 800, 500, 100, {93, 95}, true},
        {"in, tenfold, with room", {80, 80, 1.0}, 0.1, {50, 50}, 800, 500, 100, {85, 85}, false},
        {"a result view has no range", {0, 0, 1.0}, 0.5, {200, 100}, 800, 500, 0, {0, 0}, true},
        {"in at 192 DPI", {10, 20, 1.0, 192}, 0.5, {400, 200}, 1600, 1000, 100, {20, 25}, false},
        {"in at 144 DPI", {10, 20, 2.0, 144}, 1.0, {300, 150}, 1200, 750, 500, {30, 30}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ScrollPosition after =
            ZoomAboutPointer(c.before, c.newZ, c.pointer, c.clientWidth, c.clientHeight, c.maximum);
        EXPECT_EQ(after.x, c.expected.x);
        EXPECT_EQ(after.y, c.expected.y);
        Point anchor = ToWorld(c.before, c.pointer.x, c.pointer.y);
        Point now = ToWorld({after.x, after.y, c.newZ, c.before.dpi}, c.pointer.x, c.pointer.y);
        bool kept = std::fabs(now.x - anchor.x) <= 0.5 && std::fabs(now.y - anchor.y) <= 0.5;
        EXPECT_EQ(kept, !c.heldBack) << now.x << ", " << now.y << " against " << anchor.x << ", " << anchor.y;
    }
}

// Three lines of 20 pixels (at 96 DPI) a notch are 6 m at "x 1.0"; a notch turned away from the user
// scrolls up (or left), and never by less than a metre or more than a page.
TEST(WheelScroll, ANotchScrollsLinesOfTheSystemSetting) {
    struct Case {
        const char* what;
        int32_t position, notches;
        uint32_t lines;
        double z;
        int32_t maximum, page, expected;
    };
    const Case cases[] = {
        {"up a notch", 50, 1, 3, 1.0, 100, 40, 44},
        {"down a notch", 50, -1, 3, 1.0, 100, 40, 56},
        {"down to the end", 50, -2, 3, 1.0, 100, 40, 61},
        {"up to the origin", 3, 1, 3, 1.0, 100, 40, 0},
        {"fine zoom still moves a metre", 50, 1, 3, 0.1, 100, 8, 49},
        {"a single line of a fifth of a metre too", 50, -1, 1, 0.1, 100, 8, 51},
        {"two notches at fine zoom", 50, 2, 3, 0.2, 100, 8, 48},
        {"coarse zoom", 500, 1, 3, 10.0, 1000, 300, 440},
        {"half metres round", 500, -1, 5, 0.25, 1000, 20, 503},
        {"a screen at a time", 500, 1, 0xFFFFFFFF, 1.0, 1000, 40, 460},
        {"lines beyond a page", 500, -1, 30, 1.0, 1000, 40, 540},
        {"wheel scrolling off", 50, 5, 0, 1.0, 100, 40, 50},
        {"every notch an int holds", 50, INT_MAX, 0xFFFFFFFF, 10.0, 1 << 27, 1 << 26, 0},
        {"every notch the other way", 50, INT_MIN, 0xFFFFFFFF, 10.0, 1 << 27, 1 << 26, (1 << 26) + 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WheelScrollPosition(c.position, c.notches, c.lines, c.z, c.maximum, c.page), c.expected)
            << c.what;
}

// The map follows the pointer from where the middle button went down: dragging right by a metre's
// pixels shows a metre more to the left.
TEST(WheelPan, TheMapFollowsThePointerInWholeMetres) {
    struct Case {
        const char* what;
        PixelPoint pointer;
        double z;
        int32_t dpi;
        ScrollPosition expected;
    };
    const Case cases[] = {
        {"not moved", {100, 100}, 1.0, 96, {50, 50}},
        {"right and down", {200, 130}, 1.0, 96, {40, 47}},
        {"left and up", {0, 40}, 1.0, 96, {60, 56}},
        {"twice the pixels at 192 DPI", {200, 130}, 1.0, 192, {45, 49}},
        {"under half a metre stays", {104, 96}, 0.1, 96, {50, 50}},
        {"half a metre rounds away from the press", {150, 50}, 0.1, 96, {50, 51}},
        {"over half a metre moves one", {160, 40}, 0.1, 96, {49, 51}},
        {"far right holds at the origin", {30000, 100}, 1.0, 96, {0, 50}},
        {"far down holds at the end", {100, -30000}, 1.0, 96, {50, 61}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ScrollPosition after = PanScrollPosition({50, 50}, {100, 100}, c.pointer, {0, 0, c.z, c.dpi}, 100, 40, 40);
        EXPECT_EQ(after.x, c.expected.x);
        EXPECT_EQ(after.y, c.expected.y);
    }
}
