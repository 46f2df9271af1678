#include "view/canvas_win.h"

#include <windowsx.h>

#include <string>

#include "app/main_modes.h"
#include "app/session.h"
#include "app/shown_result.h"
#include "app/structure_highlight.h"
#include "editing/edit_state.h"
#include "editing/editing_tools_win.h"
#include "editing/hit_test.h"
#include "model/drawing.h"
#include "text/ui_texts.h"
#include "ui/app_windows_win.h"
#include "ui/gdi_guards_win.h"
#include "ui/window_class_win.h"
#include "view/canvas_navigation_win.h"
#include "view/canvas_state.h"
#include "view/renderer_win.h"
#include "view/status_texts.h"

namespace {

bool DrawingViewShown() {
    Session& session = SessionOf(mainWindow);
    return session.mainModes.viewMode == DrawingView;
}

// Both bars span the map in whole metres (nothing in the result views, which fit themselves); the
// bars keep their positions within range by themselves.
void OnSize(HWND window, UINT, int width, int height) {
    Session& session = SessionOf(mainWindow);
    double z = CurrentView(session.canvasState, session.drawing).z;
    session.canvasState.pageX = ScrollPage(width, z, session.canvasState.dpi);
    session.canvasState.pageY = ScrollPage(height, z, session.canvasState.dpi);
    int32_t maximum = ScrollMaximum(session.drawing.drawOptions.mapSize, !DrawingViewShown());
    SCROLLINFO bar = {sizeof bar, SIF_RANGE | SIF_PAGE, 0, maximum, 0, 0, 0};
    bar.nPage = static_cast<UINT>(session.canvasState.pageY);
    SetScrollInfo(window, SB_VERT, &bar, TRUE);
    bar.nPage = static_cast<UINT>(session.canvasState.pageX);
    SetScrollInfo(window, SB_HORZ, &bar, TRUE);
    InvalidateRect(window, nullptr, TRUE);
}

// Thumb tracking, top and bottom are ignored, so the view moves when the thumb is let go.
void Scroll(HWND window, int bar, UINT code, int32_t page) {
    int old = GetScrollPos(window, bar);
    int position = old;
    switch (code) {
        case SB_LINEUP: position -= 1; break;
        case SB_LINEDOWN: position += 1; break;
        case SB_PAGEUP: position -= page; break;
        case SB_PAGEDOWN: position += page; break;
        case SB_THUMBPOSITION: {
            SCROLLINFO info = {sizeof info, SIF_POS | SIF_TRACKPOS, 0, 0, 0, 0, 0};
            GetScrollInfo(window, bar, &info);
            position = info.nTrackPos;
            break;
        }
        default: return;
    }
    SetScrollPos(window, bar, position, TRUE);
    if (GetScrollPos(window, bar) != old)
        InvalidateRect(window, nullptr, TRUE);
}

void OnHScroll(HWND window, HWND, UINT code, int) {
    Session& session = SessionOf(mainWindow);
    Scroll(window, SB_HORZ, code, session.canvasState.pageX);
}

void OnVScroll(HWND window, HWND, UINT code, int) {
    Session& session = SessionOf(mainWindow);
    Scroll(window, SB_VERT, code, session.canvasState.pageY);
}

// Drawn off screen and copied in one piece, so the canvas never flickers through white.
void OnPaint(HWND window) {
    Session& session = SessionOf(mainWindow);
    session.canvasState.scrollX = GetScrollPos(window, SB_HORZ);
    session.canvasState.scrollY = GetScrollPos(window, SB_VERT);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    MemoryCanvas canvas(client.right, client.bottom);
    if (canvas.ready()) {
        PaintCanvas(canvas.dc, client.right, client.bottom);
        BitBlt(dc, 0, 0, client.right, client.bottom, canvas.dc, 0, 0, SRCCOPY);
    } else {
        PaintCanvas(dc, client.right, client.bottom);
    }
    EndPaint(window, &paint);
    session.canvasState.bandVisible = false;
}

BOOL OnEraseBackground(HWND, HDC) {
    return TRUE;  // the paint covers every pixel
}

void ShowStatus(const std::string& pointer, const std::string& distance) {
    SetStatusText(0, pointer.c_str());
    SetStatusText(1, distance.c_str());
}

// The distance shown while placing a vertex or moving one, from where it started.
std::string DistanceText() {
    Session& session = SessionOf(mainWindow);
    const Point& cursor = session.canvasState.cursorPoint;
    const PolygonRecord& pending = session.editState.pendingPolygon;
    if (session.mainModes.toolMode == CreateTool && session.editState.constructing && pending.vertexCount > 0)
        return DistanceStatus(cursor.x - pending.x.back(), cursor.y - pending.y.back());
    if (session.mainModes.toolMode != EditTool || !session.editState.dragActive)
        return "";
    int32_t p = session.editState.selectedPolygon, k = session.editState.selectedVertex;
    if (p < 0 || p >= session.drawing.polygons.count())
        return "";
    if (k < 0)
        return DistanceStatus(cursor.x - session.editState.dragOrigin.x, cursor.y - session.editState.dragOrigin.y);
    if (k >= session.drawing.polygons.polygon(p).vertexCount)
        return "";
    return DistanceStatus(cursor.x - session.drawing.polygons.polygon(p).x[k],
                          cursor.y - session.drawing.polygons.polygon(p).y[k]);
}

void DrawBands(HWND window) {
    Session& session = SessionOf(mainWindow);
    if (session.mainModes.toolMode == CreateTool && session.editState.constructing)
        DrawCreateBand(window);
    if (session.mainModes.toolMode == EditTool && session.editState.dragActive &&
        session.editState.selectedPolygon != -1) {
        if (session.editState.selectedVertex != -1)
            DrawVertexBand(window);
        else
            DrawPolygonGhost(window);
    }
}

void OnMouseMove(HWND window, int x, int y, UINT) {
    Session& session = SessionOf(mainWindow);
    bool drawingView = DrawingViewShown();
    bool snapping = drawingView &&
                    (session.mainModes.toolMode == CreateTool || session.mainModes.toolMode == EditTool) &&
                    session.drawing.drawOptions.snapOn == 1;
    if (TrackPointer(&session.canvasState, session.drawing, {static_cast<int16_t>(x), static_cast<int16_t>(y)},
                     snapping)) {
        POINT screen = {session.canvasState.pointerPixel.x, session.canvasState.pointerPixel.y};
        ClientToScreen(window, &screen);
        SetCursorPos(screen.x, screen.y);
    }
    if (drawingView)
        DrawBands(window);
    ShowCanvasStatus();
    session.canvasState.bandPixel = session.canvasState.pointerPixel;
}

// With no tool, a click on a polygon selects its structure in the Structures window, when it is open.
void PickStructure(PixelPoint click) {
    Session& session = SessionOf(mainWindow);
    int32_t polygon = -1, vertex = -1;
    if (HitTest(CurrentView(session.canvasState, session.drawing), session.drawing.polygons, click, &polygon,
                &vertex) &&
        polygon >= 0)
        session.structureHighlight.pick(polygon);
}

PixelPoint ClickPixel(int x, int y) {
    return {static_cast<int16_t>(x), static_cast<int16_t>(y)};
}

// Double clicks arrive as their own messages and are left alone: only separate presses count.
void OnLeftButtonDown(HWND window, BOOL doubleClick, int x, int y, UINT) {
    Session& session = SessionOf(mainWindow);
    if (doubleClick)
        return;
    if (DrawingViewShown() && session.mainModes.toolMode == NoTool)
        PickStructure(ClickPixel(x, y));
    else if (DrawingViewShown())
        ToolLeftClick(window, session.mainModes.toolMode, ClickPixel(x, y));
    ShowMainControls();  // a polygon begun or a drag taken up holds Undo back
}

void OnRightButtonDown(HWND window, BOOL doubleClick, int x, int y, UINT) {
    Session& session = SessionOf(mainWindow);
    if (doubleClick)
        return;
    if (DrawingViewShown())
        ToolRightClick(window, session.mainModes.toolMode, ClickPixel(x, y));
    ShowMainControls();
}

// With a tool in the drawing view the pointer is a cross; the class has no cursor of its own to undo it.
BOOL OnSetCursor(HWND window, HWND cursorWindow, UINT hitTest, UINT message) {
    Session& session = SessionOf(mainWindow);
    if (DrawingViewShown() && session.mainModes.toolMode != NoTool)
        SetCursor(LoadCursorA(nullptr, IDC_CROSS));
    return FORWARD_WM_SETCURSOR(window, cursorWindow, hitTest, message, DefWindowProcA);
}

LRESULT CALLBACK CanvasWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (PanOnCanvas(window, msg, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)))
        return 0;
    switch (msg) {
        HANDLE_MSG(window, WM_SIZE, OnSize);
        HANDLE_MSG(window, WM_HSCROLL, OnHScroll);
        HANDLE_MSG(window, WM_VSCROLL, OnVScroll);
        HANDLE_MSG(window, WM_PAINT, OnPaint);
        HANDLE_MSG(window, WM_ERASEBKGND, OnEraseBackground);
        HANDLE_MSG(window, WM_MOUSEMOVE, OnMouseMove);
        HANDLE_MSG(window, WM_LBUTTONDOWN, OnLeftButtonDown);
        HANDLE_MSG(window, WM_RBUTTONDOWN, OnRightButtonDown);
        HANDLE_MSG(window, WM_SETCURSOR, OnSetCursor);
        case WM_MOUSEWHEEL:
        case WM_MOUSEHWHEEL: WheelOnCanvas(window, msg, wParam, lParam); return 0;
    }
    return DefWindowProcA(window, msg, wParam, lParam);
}

}  // namespace

bool RegisterCanvasClass() {
    WindowClassSpec canvas = {TEXT_CANVAS_CLASS, CanvasWindowProc, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))};
    canvas.arrowCursor = false;  // a tool's cross would be undone at every move
    return RegisterWindowClass(canvas);
}

// The area comes from the result of the drawing as it is now, so it never outlives its drawing.
void ShowCanvasStatus() {
    Session& session = SessionOf(mainWindow);
    if (!session.drawing.isOpen) {
        ShowStatus("", "");
    } else if (DrawingViewShown()) {
        ShowStatus(PointerStatus(session.canvasState.cursorPoint), DistanceText());
    } else {
        bool ad = session.mainModes.viewMode == AdView;
        const CalcResult& result = session.shownResult.of(session.drawing);
        ShowStatus(AreaStatus(ad, ad ? result.ad : result.am), "");
    }
}

void PaintCanvas(HDC dc, int width, int height, ResultLabel label) {
    Session& session = SessionOf(mainWindow);
    RECT client = {0, 0, width, height};
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    if (DrawingViewShown()) {
        if (session.drawing.drawOptions.snapIndex != 0) {
            session.canvasState.gridStep =
                GridStep(SnapSteps[session.drawing.drawOptions.snapIndex].step,
                         CurrentView(session.canvasState, session.drawing).z, session.canvasState.dpi);
            DrawGrid(dc, width, height);
        }
        DrawPolygons(dc);
    } else if (session.drawing.isOpen && session.drawing.calcReady) {
        DrawResultView(client, dc, session.mainModes.viewMode == AdView, label);
    }
}
