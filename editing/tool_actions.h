// What a click of each editing tool does to the drawing and to the editing state. Each action changes
// what it may, and returns an outcome that names the message or the dialog the window is to show
// next; the window shows it, hands any answer back here, and repaints.
#pragma once

#include <cstdint>

#include "editing/edit_state.h"
#include "model/drawing.h"
#include "view/view_transform.h"

enum ToolMode : int32_t { NoTool = 0, CreateTool = 1, EditTool = 2, DeleteTool = 3 };

enum class ToolMessage { None, InvalidPoint, InvalidPosition, MinimumThreeVertices, ConfirmDelete };
enum class ToolDialog { None, NewVertex, VertexHeight, PolygonOptions };

// What happens once the dialog of an outcome has ended.
enum class AfterDialog { Nothing, StartPolygon, ClosePolygon, ClearSelection };

struct ToolOutcome {
    ToolMessage message = ToolMessage::None;  // a refusal to show, or the question before a delete
    ToolDialog dialog = ToolDialog::None;
    int32_t polygon = -1;  // what the dialog or the question is about
    int32_t vertex = -1;
    AfterDialog after = AfterDialog::Nothing;
    bool changed = false;      // the drawing changed: results discarded, modified set
    bool dragChanged = false;  // a drag began or ended, so the menu changes with it
    bool repaint = false;
};

// What the new-vertex dialog proposes and gives back.
struct VertexAnswer {
    double height;
    int32_t priority;
    char name[PolygonNameSize];
};

// What a press of the left or the right button on the canvas does with each tool: click is where it was
// pressed, cursor the pointer's map point (snapped when snapping), where new vertices go.
ToolOutcome ToolLeftClick(int32_t tool, EditState* edit, Drawing* target, const ViewTransform& view, PixelPoint click,
                          Point cursor);
ToolOutcome ToolRightClick(int32_t tool, EditState* edit, const Drawing& source, const ViewTransform& view,
                           PixelPoint click, Point cursor);

// Create: the first left click starts a polygon at `at`, each further one places its next vertex when
// the new edge crosses none placed; either way the new vertex's dialog follows.
ToolOutcome CreateLeftClick(EditState* edit, const Drawing& source, Point at);
// Create: the right click places the last vertex at `at` and closes the polygon after its dialog.
ToolOutcome CreateRightClick(EditState* edit, Point at);

VertexAnswer ProposedVertex(const EditState& edit, int32_t vertex);
// Takes the new-vertex dialog's answer for the outcome's vertex, then starts or closes the polygon as
// the outcome says; closing it adds it to the drawing (the outcome's changed is set then).
void TakeNewVertex(EditState* edit, Drawing* target, ToolOutcome* outcome, const VertexAnswer& answer);

// Edit: a left click picks up the vertex or polygon under it, the next drops it where the click is,
// when the polygon stays valid there.
ToolOutcome EditLeftClick(EditState* edit, Drawing* target, const ViewTransform& view, PixelPoint click);
// Edit: a right click opens the height of the vertex under it, or the options of the polygon.
ToolOutcome EditRightClick(EditState* edit, const Drawing& source, const ViewTransform& view, PixelPoint click);
void FinishToolDialog(EditState* edit, const ToolOutcome& outcome);

// Delete: a click on a polygon or its vertex asks before the whole polygon goes.
ToolOutcome DeleteLeftClick(EditState* edit, const Drawing& source, const ViewTransform& view, PixelPoint click);
// The answer Yes to the outcome's question.
void ConfirmDelete(Drawing* target, ToolOutcome* outcome);
