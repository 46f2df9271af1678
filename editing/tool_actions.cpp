#include "editing/tool_actions.h"

#include <cstring>

#include "editing/hit_test.h"
#include "editing/polygon_edits.h"
#include "model/drawing_change.h"

namespace {

ToolOutcome AskNewVertex(int32_t vertex, AfterDialog after) {
    ToolOutcome outcome;
    outcome.dialog = ToolDialog::NewVertex;
    outcome.vertex = vertex;
    outcome.after = after;
    return outcome;
}

ToolOutcome Refuse(ToolMessage message) {
    ToolOutcome outcome;
    outcome.message = message;
    return outcome;
}

// A whole polygon moves by the distance from where it was picked up; a vertex goes where the click is.
ToolOutcome Drop(EditState* edit, Drawing* target, const ViewTransform& view, PixelPoint click) {
    ToolOutcome outcome;
    Point w = ToWorld(view, click.x, click.y);
    bool moved;
    if (edit->selectedVertex != -1) {
        moved = MoveVertexTo(&target->polygons, edit->selectedPolygon, edit->selectedVertex, w);
        outcome.message = moved ? ToolMessage::None : ToolMessage::InvalidPoint;
    } else {
        moved =
            MovePolygonBy(&target->polygons, edit->selectedPolygon, w.x - edit->dragOrigin.x, w.y - edit->dragOrigin.y);
        outcome.message = moved ? ToolMessage::None : ToolMessage::InvalidPosition;
    }
    if (moved)
        MarkDrawingChanged(target);
    outcome.changed = moved;
    EndDrag(edit);
    outcome.dragChanged = true;
    outcome.repaint = true;
    return outcome;
}

ToolOutcome PickUp(EditState* edit, const Drawing& source, const ViewTransform& view, PixelPoint click) {
    ToolOutcome outcome;
    int32_t polygon, vertex;
    if (!HitTest(view, source.polygons, click, &polygon, &vertex))
        return outcome;
    edit->dragActive = true;
    edit->selectedPolygon = polygon;
    edit->selectedVertex = vertex;
    if (vertex == -1)
        edit->dragOrigin = ToWorld(view, click.x, click.y);
    outcome.dragChanged = true;
    return outcome;
}

}  // namespace

// The polygon counts as under construction only once its first vertex has been answered for.
ToolOutcome CreateLeftClick(EditState* edit, const Drawing& source, Point at) {
    PolygonRecord& pending = edit->pendingPolygon;
    if (!edit->constructing) {
        pending = NewPendingPolygon(source.polygons.count(), at);
        return AskNewVertex(0, AfterDialog::StartPolygon);
    }
    if (!NextEdgeFits(pending, at))
        return Refuse(ToolMessage::InvalidPoint);
    AppendPendingVertex(&pending, at);
    return AskNewVertex(pending.vertexCount - 1, AfterDialog::Nothing);
}

// The right click places the last vertex itself, so two placed vertices are enough to close.
ToolOutcome CreateRightClick(EditState* edit, Point at) {
    PolygonRecord& pending = edit->pendingPolygon;
    if (pending.vertexCount < 2)
        return Refuse(ToolMessage::MinimumThreeVertices);
    if (!ClosingEdgesFit(pending, at))
        return Refuse(ToolMessage::InvalidPoint);
    AppendPendingVertex(&pending, at);
    return AskNewVertex(pending.vertexCount - 1, AfterDialog::ClosePolygon);
}

VertexAnswer ProposedVertex(const EditState& edit, int32_t vertex) {
    const PolygonRecord& pending = edit.pendingPolygon;
    VertexAnswer answer = {pending.height[vertex], pending.priority, {}};
    memcpy(answer.name, pending.name, PolygonNameSize);
    return answer;
}

void TakeNewVertex(EditState* edit, Drawing* target, ToolOutcome* outcome, const VertexAnswer& answer) {
    PolygonRecord& pending = edit->pendingPolygon;
    pending.height[outcome->vertex] = answer.height;
    pending.priority = answer.priority;
    SetPolygonName(&pending, answer.name);
    if (outcome->after == AfterDialog::StartPolygon)
        edit->constructing = true;
    if (outcome->after == AfterDialog::ClosePolygon) {
        target->polygons.appendPolygon(pending);
        DropPendingPolygon(edit);
        MarkDrawingChanged(target);
        outcome->changed = true;
        outcome->repaint = true;
    }
}

ToolOutcome EditLeftClick(EditState* edit, Drawing* target, const ViewTransform& view, PixelPoint click) {
    if (!edit->dragActive)
        return PickUp(edit, *target, view, click);
    if (edit->selectedPolygon != -1)
        return Drop(edit, target, view, click);
    return ToolOutcome();
}

// The selection marks what the dialog edits while it is up.
ToolOutcome EditRightClick(EditState* edit, const Drawing& source, const ViewTransform& view, PixelPoint click) {
    ToolOutcome outcome;
    int32_t polygon, vertex;
    if (!HitTest(view, source.polygons, click, &polygon, &vertex))
        return outcome;
    edit->selectedPolygon = outcome.polygon = polygon;
    outcome.repaint = true;
    if (vertex == -1) {
        outcome.dialog = ToolDialog::PolygonOptions;
        return outcome;
    }
    edit->selectedVertex = outcome.vertex = vertex;
    outcome.dialog = ToolDialog::VertexHeight;
    outcome.after = AfterDialog::ClearSelection;
    return outcome;
}

void FinishToolDialog(EditState* edit, const ToolOutcome& outcome) {
    if (outcome.after == AfterDialog::ClearSelection)
        edit->selectedPolygon = edit->selectedVertex = -1;
}

ToolOutcome DeleteLeftClick(EditState* edit, const Drawing& source, const ViewTransform& view, PixelPoint click) {
    ToolOutcome outcome;
    if (!HitTest(view, source.polygons, click, &edit->selectedPolygon, &edit->selectedVertex))
        return outcome;
    outcome.message = ToolMessage::ConfirmDelete;
    outcome.polygon = edit->selectedPolygon;
    outcome.repaint = true;
    return outcome;
}

void ConfirmDelete(Drawing* target, ToolOutcome* outcome) {
    if (target->polygons.removePolygon(outcome->polygon)) {
        RemovePolygonSettings(&target->assessment, outcome->polygon);
        MarkDrawingChanged(target);
        outcome->changed = true;
    }
}

ToolOutcome ToolLeftClick(int32_t tool, EditState* edit, Drawing* target, const ViewTransform& view, PixelPoint click,
                          Point cursor) {
    switch (tool) {
        case CreateTool: return CreateLeftClick(edit, *target, cursor);
        case EditTool: return EditLeftClick(edit, target, view, click);
        case DeleteTool: return DeleteLeftClick(edit, *target, view, click);
    }
    return ToolOutcome();
}

// Only a polygon under construction can be closed, and nothing is edited while a drag carries something.
ToolOutcome ToolRightClick(int32_t tool, EditState* edit, const Drawing& source, const ViewTransform& view,
                           PixelPoint click, Point cursor) {
    if (tool == CreateTool && edit->constructing)
        return CreateRightClick(edit, cursor);
    if (tool == EditTool && !edit->dragActive)
        return EditRightClick(edit, source, view, click);
    return ToolOutcome();
}
