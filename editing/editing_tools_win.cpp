#include "editing/editing_tools_win.h"

#include <cstring>

#include "editing/edit_state.h"
#include "editing/hit_test.h"
#include "editing/polygon_edits.h"
#include "editing/vertex_dialogs_win.h"
#include "engine/calc_records.h"
#include "model/drawing.h"
#include "app/main_modes.h"
#include "ui/app_windows_win.h"
#include "ui/prompt_win.h"
#include "view/canvas_state.h"

namespace {

// Repaints the whole main window, which repaints the canvas as its child.
void Repaint() {
    InvalidateRect(mainWindow, nullptr, TRUE);
}

void DrawingChanged() {
    DiscardResults();
    drawing.modified = 1;
}

// The dialog of a newly placed vertex: it proposes the vertex's height and the polygon's priority and
// name, and takes back what the user saved.
void AskVertex(HWND canvas, int32_t vertex) {
    struct Polygon& pending = editState.pendingPolygon;
    VertexDialogData data = {pending.height[vertex], pending.priority, {}};
    memcpy(data.name, pending.name, PolygonNameSize);
    ShowVertexDialog(canvas, &data);
    pending.height[vertex] = data.height;
    pending.priority = data.priority;
    SetPolygonName(&pending, data.name);
}

void EndDragAndRepaint() {
    EndDrag();
    ShowMainControls();
    canvasState.bandVisible = false;
    Repaint();
}

void Drop(PixelPoint click) {
    Point w = ToWorld(CurrentView(), click.x, click.y);
    bool moved;
    if (editState.selectedVertex != -1) {
        moved = MoveVertexTo(&drawing.polygons, editState.selectedPolygon, editState.selectedVertex, w);
        if (!moved)
            Warn(mainWindow, "Invalid Point");
    } else {
        moved = MovePolygonBy(&drawing.polygons, editState.selectedPolygon, w.x - editState.dragOrigin.x,
                              w.y - editState.dragOrigin.y);
        if (!moved)
            Warn(mainWindow, "Invalid Position");
    }
    if (moved)
        DrawingChanged();
    EndDragAndRepaint();
}

void PickUp(PixelPoint click) {
    int32_t polygon, vertex;
    if (!HitTest(CurrentView(), drawing.polygons, click, &polygon, &vertex))
        return;
    editState.dragActive = true;
    editState.selectedPolygon = polygon;
    editState.selectedVertex = vertex;
    ShowMainControls();  // Options > Draw goes off: the grid must not change under the drag
    if (vertex == -1)
        editState.dragOrigin = ToWorld(CurrentView(), click.x, click.y);
}

}  // namespace

void CreateLeftClick(HWND canvas) {
    struct Polygon& pending = editState.pendingPolygon;
    Point at = canvasState.cursorPoint;
    if (!editState.constructing) {
        pending = NewPendingPolygon(drawing.polygons.count(), at);
        AskVertex(canvas, 0);
        editState.constructing = true;
        return;
    }
    if (!NextEdgeFits(pending, at)) {
        Warn(mainWindow, "Invalid Point");
        return;
    }
    AppendPendingVertex(&pending, at);
    AskVertex(canvas, pending.vertexCount - 1);
}

// The right click places the last vertex itself, so two placed vertices are enough to close.
void CreateRightClick(HWND canvas) {
    struct Polygon& pending = editState.pendingPolygon;
    Point at = canvasState.cursorPoint;
    if (pending.vertexCount < 2) {
        Warn(mainWindow, "Minimum three vertices");
        return;
    }
    if (!ClosingEdgesFit(pending, at)) {
        Warn(mainWindow, "Invalid Point");
        return;
    }
    AppendPendingVertex(&pending, at);
    AskVertex(canvas, pending.vertexCount - 1);
    drawing.polygons.appendPolygon(pending);
    DropPendingPolygon();
    DrawingChanged();
    canvasState.bandVisible = false;
    Repaint();
}

void EditLeftClick(HWND, PixelPoint click) {
    if (!editState.dragActive)
        PickUp(click);
    else if (editState.selectedPolygon != -1)
        Drop(click);
}

void EditRightClick(HWND canvas, PixelPoint click) {
    int32_t polygon, vertex;
    if (!HitTest(CurrentView(), drawing.polygons, click, &polygon, &vertex))
        return;
    editState.selectedPolygon = polygon;
    if (vertex == -1) {
        ShowPolygonOptionsDialog(canvas, polygon);
    } else {
        editState.selectedVertex = vertex;
        ShowVertexHeightDialog(canvas, polygon, vertex);
        editState.selectedPolygon = editState.selectedVertex = -1;
    }
    Repaint();
}

void DeleteLeftClick(HWND, PixelPoint click) {
    if (!HitTest(CurrentView(), drawing.polygons, click, &editState.selectedPolygon, &editState.selectedVertex))
        return;
    bool confirmed = AskYesNo(mainWindow, "Do you want to erease this polygon?");
    if (confirmed && drawing.polygons.removePolygon(editState.selectedPolygon))
        DrawingChanged();
    Repaint();
}
