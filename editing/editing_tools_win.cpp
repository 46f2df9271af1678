#include "editing/editing_tools_win.h"

#include "app/drawing_changes.h"
#include "app/edit_history.h"
#include "app/session.h"
#include "editing/edit_state.h"
#include "editing/tool_actions.h"
#include "editing/vertex_dialogs_win.h"
#include "model/drawing.h"
#include "text/ui_texts.h"
#include "ui/app_windows_win.h"
#include "ui/prompt_win.h"
#include "view/canvas_state.h"

namespace {

const char* MessageText(ToolMessage message) {
    switch (message) {
        case ToolMessage::InvalidPoint: return TEXT_INVALID_POINT;
        case ToolMessage::InvalidPosition: return TEXT_INVALID_POSITION;
        case ToolMessage::MinimumThreeVertices: return TEXT_MINIMUM_THREE_VERTICES;
        case ToolMessage::ConfirmDelete: return TEXT_CONFIRM_DELETE;
        case ToolMessage::None: break;
    }
    return "";
}

// The new vertex's dialog proposes its height and the polygon's priority and name, and what the user
// saved goes back to the tool.
void ShowToolDialog(HWND canvas, ToolOutcome* outcome) {
    Session& session = SessionOf(mainWindow);
    switch (outcome->dialog) {
        case ToolDialog::NewVertex: {
            VertexAnswer answer = ProposedVertex(session.editState, outcome->vertex);
            ShowVertexDialog(canvas, &answer);
            TakeNewVertex(&session.editState, &session.drawing, outcome, answer);
            break;
        }
        case ToolDialog::VertexHeight: ShowVertexHeightDialog(canvas, outcome->polygon, outcome->vertex); break;
        case ToolDialog::PolygonOptions: ShowPolygonOptionsDialog(canvas, outcome->polygon); break;
        case ToolDialog::None: break;
    }
    FinishToolDialog(&session.editState, *outcome);
}

// The message or question first, then the dialog; the whole main window repaints, the canvas with it,
// which also takes away any rubber band on screen.
void Show(HWND canvas, ToolOutcome outcome) {
    Session& session = SessionOf(mainWindow);
    if (outcome.message == ToolMessage::ConfirmDelete) {
        if (AskYesNo(mainWindow, TEXT_CONFIRM_DELETE))
            ConfirmDelete(&session.drawing, &outcome);
    } else if (outcome.message != ToolMessage::None) {
        Warn(mainWindow, MessageText(outcome.message));
    }
    ShowToolDialog(canvas, &outcome);
    if (outcome.changed)
        session.drawingChanges.commit(&session.editHistory, &session.drawing);
    if (outcome.dragChanged)
        ShowMainControls();
    if (outcome.repaint) {
        session.canvasState.bandVisible = false;
        InvalidateRect(mainWindow, nullptr, TRUE);
    }
}

}  // namespace

void ToolLeftClick(HWND canvas, int32_t tool, PixelPoint click) {
    Session& session = SessionOf(mainWindow);
    Show(canvas,
         ToolLeftClick(tool, &session.editState, &session.drawing, CurrentView(session.canvasState, session.drawing),
                       click, session.canvasState.cursorPoint));
}

void ToolRightClick(HWND canvas, int32_t tool, PixelPoint click) {
    Session& session = SessionOf(mainWindow);
    Show(canvas,
         ToolRightClick(tool, &session.editState, session.drawing, CurrentView(session.canvasState, session.drawing),
                        click, session.canvasState.cursorPoint));
}
