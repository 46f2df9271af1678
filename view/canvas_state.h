// The state of the canvas: where it looks on the map, the grid, and where the pointer is.
#pragma once

#include <cstdint>

#include "engine/geometry/geometry.h"
#include "view/snap.h"
#include "view/view_transform.h"

struct CanvasState {
    int32_t scrollX = 0;  // metres: the world point at the top-left pixel
    int32_t scrollY = 0;
    int32_t pageX = 1;
    int32_t pageY = 1;
    int32_t gridStep = 0;  // pixels; 0 until a paint has drawn the grid
    bool snapActive = false;
    SnapCarry snapCarry;
    PixelPoint pointerPixel = {0, 0};  // the last mouse move, snapped when snapping
    PixelPoint bandPixel = {0, 0};     // where the rubber band on screen ends
    Point cursorPoint = {0.0, 0.0};    // the pointer in metres; new vertices go here
    bool bandVisible = false;          // a band is on screen, to be inverted away before the next
    int32_t dpi = BaseDpi;             // the canvas window's density, followed as it moves between screens
};

struct Drawing;

void ResetCanvasState(CanvasState* canvas);

// The transform of the drawing view at the canvas's scroll positions and density and the drawing's zoom.
ViewTransform CurrentView(const CanvasState& canvas, const Drawing& drawing);

// Follows the pointer to a raw client position: with snapping, through the carry onto the grid.
// True when the pointer was moved off the raw position, so that the system cursor must follow.
bool TrackPointer(CanvasState* canvas, const Drawing& drawing, PixelPoint raw, bool snapping);
