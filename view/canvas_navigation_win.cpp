#include "view/canvas_navigation_win.h"

#include <windowsx.h>

#include "app/main_modes.h"
#include "app/session.h"
#include "editing/edit_state.h"
#include "model/drawing.h"
#include "ui/app_windows_win.h"
#include "view/canvas_state.h"
#include "view/wheel_zoom.h"

namespace {

// Each use of the wheel keeps its own carry, so that a touchpad's small deltas add up per use.
WheelCarry scrollCarry, sideCarry, zoomCarry;

struct PanDrag {
    bool active = false;
    ScrollPosition atPress = {0, 0};
    PixelPoint press = {0, 0};
};
PanDrag pan;

// Only the drawing view scrolls and zooms: the result views fit themselves.
bool Navigable() {
    Session& session = SessionOf(mainWindow);
    return session.mainModes.viewMode == DrawingView;
}

int32_t MapMaximum() {
    Session& session = SessionOf(mainWindow);
    return ScrollMaximum(session.drawing.drawOptions.mapSize, false);
}

void ScrollTo(HWND canvas, ScrollPosition position) {
    SetScrollPos(canvas, SB_HORZ, position.x, TRUE);
    SetScrollPos(canvas, SB_VERT, position.y, TRUE);
    InvalidateRect(canvas, nullptr, TRUE);
}

void ScrollByWheel(HWND canvas, int bar, int32_t notches) {
    Session& session = SessionOf(mainWindow);
    UINT lines = 3;
    SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    int32_t page = bar == SB_VERT ? session.canvasState.pageY : session.canvasState.pageX;
    int old = GetScrollPos(canvas, bar);
    int position = WheelScrollPosition(old, notches, lines, CurrentView(session.canvasState, session.drawing).z,
                                       MapMaximum(), page);
    if (position != old) {
        SetScrollPos(canvas, bar, position, TRUE);
        InvalidateRect(canvas, nullptr, TRUE);
    }
}

// The grid must not change under an edit drag, as Options > Draw is off then.
void ZoomByWheel(HWND canvas, POINT pointer, int32_t notches) {
    Session& session = SessionOf(mainWindow);
    DrawOptions& options = session.drawing.drawOptions;
    int32_t zoom = WheelZoomIndex(options.zoomIndex, options.snapIndex, notches);
    if (zoom == options.zoomIndex || session.editState.dragActive)
        return;
    session.canvasState.scrollX = GetScrollPos(canvas, SB_HORZ);
    session.canvasState.scrollY = GetScrollPos(canvas, SB_VERT);
    RECT client;
    GetClientRect(canvas, &client);
    ScreenToClient(canvas, &pointer);
    ScrollPosition at = ZoomAboutPointer(CurrentView(session.canvasState, session.drawing), ZoomSteps[zoom].value,
                                         {pointer.x, pointer.y}, client.right, client.bottom, MapMaximum());
    options.zoomIndex = zoom;
    RefreshMainWindow();  // the scroll ranges and pages of the new zoom
    ScrollTo(canvas, at);
}

}  // namespace

void WheelOnCanvas(HWND canvas, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!Navigable())
        return;
    int delta = GET_WHEEL_DELTA_WPARAM(wParam);
    UINT keys = GET_KEYSTATE_WPARAM(wParam);
    POINT pointer = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (message == WM_MOUSEHWHEEL) {
        // A tilt to the right reports a positive delta but means what Shift+wheel towards the user does.
        if (int32_t notches = TakeWheelNotches(&sideCarry, -delta))
            ScrollByWheel(canvas, SB_HORZ, notches);
    } else if (keys & MK_CONTROL) {
        if (int32_t notches = TakeWheelNotches(&zoomCarry, delta))
            ZoomByWheel(canvas, pointer, notches);
    } else if (keys & MK_SHIFT) {
        if (int32_t notches = TakeWheelNotches(&sideCarry, delta))
            ScrollByWheel(canvas, SB_HORZ, notches);
    } else if (int32_t notches = TakeWheelNotches(&scrollCarry, delta)) {
        ScrollByWheel(canvas, SB_VERT, notches);
    }
}

bool PanOnCanvas(HWND canvas, UINT message, int x, int y) {
    Session& session = SessionOf(mainWindow);
    PixelPoint pointer = {x, y};
    switch (message) {
        case WM_MBUTTONDOWN:
            if (!Navigable())
                return false;
            pan = {true, {GetScrollPos(canvas, SB_HORZ), GetScrollPos(canvas, SB_VERT)}, pointer};
            SetCapture(canvas);
            return true;
        case WM_MOUSEMOVE:
            if (!pan.active)
                return false;
            ScrollTo(canvas, PanScrollPosition(pan.atPress, pan.press, pointer,
                                               CurrentView(session.canvasState, session.drawing), MapMaximum(),
                                               session.canvasState.pageX, session.canvasState.pageY));
            return true;
        case WM_MBUTTONUP:
        case WM_CAPTURECHANGED:
            if (!pan.active)
                return false;
            pan.active = false;
            if (message == WM_MBUTTONUP)
                ReleaseCapture();
            return true;
    }
    return false;
}
