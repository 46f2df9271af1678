// The mouse wheel and the middle button on the canvas: whole notches out of wheel deltas, the zoom
// step of Ctrl+wheel about the pointer, the scroll of a wheel notch and of a pan drag. Scroll
// positions are whole metres, kept where the canvas's scroll bars would keep them.
#pragma once

#include <cstdint>

#include "view/view_transform.h"

constexpr int32_t WheelNotchDelta = 120;  // what one notch of a wheel reports

// What is left of the wheel's turning after the whole notches were taken; one for each use of the
// wheel (scroll, Shift+scroll, zoom).
struct WheelCarry {
    int32_t delta = 0;
};

// Adds a delta to the carry and returns the whole notches in it, positive when the wheel turned away
// from the user. A turn the other way first drops what was carried, so that the wheel answers at
// once when it is reversed.
int32_t TakeWheelNotches(WheelCarry* carry, int32_t delta);

// The zoom index after notches of Ctrl+wheel: positive notches zoom in (towards smaller zoom values).
// Each notch moves one step and passes over the steps that the Draw options dialog would refuse
// with this snap step; at an end of the table, or with only refused steps beyond, it stays.
int32_t WheelZoomIndex(int32_t zoomIndex, int32_t snapIndex, int32_t notches);

// A position as the canvas's scroll bars hold it: from 0 to maximum - page + 1, never below 0.
int32_t ClampScrollPosition(int64_t position, int32_t maximum, int32_t page);

struct ScrollPosition {
    int32_t x;
    int32_t y;
};

// The scroll positions at zoom value newZ that keep the map point under the pointer under it: to the
// nearest whole metre, and within the scroll range the new zoom gives a client area of that size.
ScrollPosition ZoomAboutPointer(const ViewTransform& before, double newZ, PixelPoint pointer, int32_t clientWidth,
                                int32_t clientHeight, int32_t maximum);

// The position after notches of the wheel on one scroll bar (the vertical one, or the horizontal one
// for Shift+wheel): a notch turned away from the user scrolls up or left by linesPerNotch lines of
// 20 pixels (at 96 DPI, so the same on any screen), at least one metre and at most one page.
// linesPerNotch is the system's setting: 0 turns wheel scrolling off, and beyond a page (the
// system's "one screen at a time") scrolls a page.
int32_t WheelScrollPosition(int32_t position, int32_t notches, uint32_t linesPerNotch, double z, int32_t maximum,
                            int32_t page);

// The positions while the middle button drags the map: the map follows the pointer from where the
// button went down, to the nearest whole metre.
ScrollPosition PanScrollPosition(ScrollPosition atPress, PixelPoint press, PixelPoint pointer,
                                 const ViewTransform& view, int32_t maximum, int32_t pageX, int32_t pageY);
