#include "view/canvas_state.h"

#include "model/drawing.h"

CanvasState canvasState;

void ResetCanvasState() {
    canvasState = CanvasState();
}

ViewTransform CurrentView() {
    return {canvasState.scrollX, canvasState.scrollY, ZoomSteps[drawing.drawOptions.zoomIndex].value, canvasState.dpi};
}

// Snapping needs a grid step, known once a paint has drawn the grid; before that the pointer is free.
bool TrackPointer(PixelPoint raw, bool snapping) {
    CanvasState& c = canvasState;
    c.snapActive = snapping && c.gridStep > 0;
    if (!c.snapActive) {
        c.pointerPixel = raw;
        c.cursorPoint = ToWorld(CurrentView(), raw.x, raw.y);
        return false;
    }
    PixelPoint carried = CarryMove(raw, c.pointerPixel, c.gridStep, &c.snapCarry);
    PixelPoint snapped = SnapToGrid(carried, c.gridStep);
    c.pointerPixel = snapped;
    c.cursorPoint = ToWorld(CurrentView(), snapped.x, snapped.y);
    return snapped.x != carried.x || snapped.y != carried.y;
}
