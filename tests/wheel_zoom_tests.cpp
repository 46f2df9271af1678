// Tests of the wheel and the middle button on the canvas: notches out of deltas, the zoom steps of
// Ctrl+wheel, zooming about the pointer, the scroll of a notch and the pan drag.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <vector>

#include "view/wheel_zoom.h"

// Each case is a run of deltas, each with the notches it gives and what is carried after it.
TEST(WheelNotches, SmallDeltasAddUpAndAReversalStartsAfresh) {
    const std::vector<std::vector<int32_t>> cases[] = {
        {{120, 1, 0}, {-240, -2, 0}},
        {{40, 0, 40}, {40, 0, 80}, {40, 1, 0}},        // a touchpad's thirds
        {{250, 2, 10}, {-250, -2, -10}},               // the rest keeps the sign of the turn
        {{100, 0, 100}, {-30, 0, -30}, {-90, -1, 0}},  // a reversal drops the carry
        {{32767, 273, 7}, {-32768, -273, -8}},         // the largest deltas a message carries
    };
    for (const auto& steps : cases) {
        WheelCarry carry;
        for (const auto& step : steps) {
            EXPECT_EQ(TakeWheelNotches(&carry, step[0]), step[1]) << step[0];
            EXPECT_EQ(carry.delta, step[2]) << step[0];
        }
    }
}

// Zoom values 0.1 0.2 0.5 1 2 5 10 (index 0 to 6); snap steps off 0.1 0.2 0.5 1 2 5 10. The Draw
// options dialog refuses a zoom value of five times the snap step or more. Each case: zoom index, snap
// index, notches, the zoom index after them.
TEST(WheelZoomSteps, SkipRefusedStepsAndStopAtTheEnds) {
    const int32_t cases[][4] = {
        {3, 4, 1, 2}, {3, 4, -1, 4}, {4, 4, -1, 4},       // one metre snap: 5 m and 10 m zooms are refused
        {1, 4, 5, 0}, {5, 0, -3, 6}, {3, 0, INT_MIN, 6},  // the ends of the table
        {6, 1, 1, 1}, {3, 1, -1, 3},                      // from a refused pair in to the first one accepted
        {9, 4, 1, 9}, {3, -1, 1, 3},                      // indexes no table holds are left alone
    };
    for (const auto& c : cases)
        EXPECT_EQ(WheelZoomIndex(c[0], c[1], c[2]), c[3]) << c[0] << ", snap " << c[1] << ", " << c[2] << " notches";
}

// The map point under the pointer before the zoom is under it after, to half a metre, unless an end
// of the scroll range (0 to maximum - page + 1) holds the view back.
TEST(WheelZoomAboutPointer, ThePointerKeepsItsMapPoint) {
    struct Case {
        ViewTransform before;
        double newZ;
        PixelPoint pointer;
        int32_t maximum;
        ScrollPosition expected;
        bool heldBack;
    };
    const Case cases[] = {
        {{10, 20, 1.0}, 0.5, {200, 100}, 100, {20, 25}, false},  // in
        {{20, 25, 0.5}, 1.0, {200, 100}, 100, {10, 20}, false},  // and out again
        {{60, 75, 0.5}, 1.0, {790, 490}, 100, {21, 51}, false},  // half metres round away from zero
        {{0, 0, 1.0}, 2.0, {100, 100}, 100, {0, 0}, true},       // out past the origin
        {{120, 120, 1.0}, 2.0, {50, 50}, 200, {41, 101}, true},  // out past the far end
        {{90, 90, 1.0}, 0.1, {50, 50}, 100, {93, 95}, true},     // in, against the far end
        {{10, 20, 1.0, 192}, 0.5, {400, 200}, 100, {20, 25}, false},
        {{10, 20, 2.0, 144}, 1.0, {300, 150}, 500, {30, 30}, false},
    };
    for (const Case& c : cases) {
        int32_t width = 800 * c.before.dpi / 96, height = 500 * c.before.dpi / 96;
        ScrollPosition after = ZoomAboutPointer(c.before, c.newZ, c.pointer, width, height, c.maximum);
        EXPECT_EQ(after.x, c.expected.x) << c.before.scrollX << ", z " << c.newZ;
        EXPECT_EQ(after.y, c.expected.y) << c.before.scrollY << ", z " << c.newZ;
        Point anchor = ToWorld(c.before, c.pointer.x, c.pointer.y);
        Point now = ToWorld({after.x, after.y, c.newZ, c.before.dpi}, c.pointer.x, c.pointer.y);
        EXPECT_EQ(std::fabs(now.x - anchor.x) <= 0.5 && std::fabs(now.y - anchor.y) <= 0.5, !c.heldBack);
    }
}

// Three lines of 20 pixels (at 96 DPI) a notch are 6 m at "x 1.0"; a notch turned away from the user
// scrolls up (or left), never by less than a metre or more than a page.
TEST(WheelScroll, ANotchScrollsLinesOfTheSystemSetting) {
    struct Case {
        int32_t position, notches;
        uint32_t lines;
        double z;
        int32_t maximum, page, expected;
    };
    const Case cases[] = {
        {50, 1, 3, 1.0, 100, 40, 44},
        {50, -2, 3, 1.0, 100, 40, 61},
        {3, 1, 3, 1.0, 100, 40, 0},
        {50, -1, 1, 0.1, 100, 8, 51},
        {500, 1, 3, 10.0, 1000, 300, 440},
        {500, -1, 5, 0.25, 1000, 20, 503},
        {500, 1, 0xFFFFFFFF, 1.0, 1000, 40, 460},  // the system's "one screen at a time"
        {500, -1, 30, 1.0, 1000, 40, 540},
        {50, 5, 0, 1.0, 100, 40, 50},  // beyond a page; scrolling off
        {50, INT_MIN, 0xFFFFFFFF, 10.0, 1 << 27, 1 << 26, (1 << 26) + 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WheelScrollPosition(c.position, c.notches, c.lines, c.z, c.maximum, c.page), c.expected)
            << c.position << ", " << c.notches << " notches of " << c.lines << " lines at z " << c.z;
}

// The map follows the pointer from where the middle button went down at (100, 100) with the view at
// (50, 50): dragging right by a metre's pixels shows a metre more to the left.
TEST(WheelPan, TheMapFollowsThePointerInWholeMetres) {
    struct Case {
        PixelPoint pointer;
        double z;
        int32_t dpi;
        ScrollPosition expected;
    };
    const Case cases[] = {
        {{200, 130}, 1.0, 96, {40, 47}}, {{0, 40}, 1.0, 96, {60, 56}},   {{200, 130}, 1.0, 192, {45, 49}},
        {{150, 50}, 0.1, 96, {50, 51}},  {{160, 40}, 0.1, 96, {49, 51}}, {{30000, -30000}, 1.0, 96, {0, 61}},
    };
    for (const Case& c : cases) {
        ScrollPosition after = PanScrollPosition({50, 50}, {100, 100}, c.pointer, {0, 0, c.z, c.dpi}, 100, 40, 40);
        EXPECT_EQ(after.x, c.expected.x) << c.pointer.x << ", " << c.pointer.y;
        EXPECT_EQ(after.y, c.expected.y) << c.pointer.x << ", " << c.pointer.y;
    }
}
