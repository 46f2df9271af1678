#include "view/canvas_state.h"

#include "model/drawing.h"

void ResetCanvasState(CanvasState* canvas) {
    *canvas = CanvasState();
}

ViewTransform CurrentView(const CanvasState& canvas, const Drawing& drawing) {
    return {canvas.scrollX, canvas.scrollY, ZoomSteps[drawing.drawOptions.zoomIndex].value, canvas.dpi};
}

// Snapping needs a grid step, known once a paint has drawn the grid; before that the pointer is free.
bool TrackPointer(CanvasState* canvas, const Drawing& drawing, PixelPoint raw, bool snapping) {
    CanvasState& c = *canvas;
    c.snapActive = snapping && c.gridStep > 0;
    if (!c.snapActive) {
        c.pointerPixel = raw;
        c.cursorPoint = ToWorld(CurrentView(c, drawing), raw.x, raw.y);
        return false;
    }
    PixelPoint carried = CarryMove(raw, c.pointerPixel, c.gridStep, &c.snapCarry);
    PixelPoint snapped = SnapToGrid(carried, c.gridStep);
    c.pointerPixel = snapped;
    c.cursorPoint = ToWorld(CurrentView(c, drawing), snapped.x, snapped.y);
    return snapped.x != carried.x || snapped.y != carried.y;
}
