// Everything one open drawing brings with it: the drawing, its undo history, the main window's modes,
// the editing tools' and the canvas's state, the result shown, the change path with its listeners and
// the structures lit up. The main window makes one as it is created and lets it go with itself; code
// below the window is handed the session, or just the part it works on, and keeps no copy of its own.
#pragma once

#include "app/drawing_changes.h"
#include "app/edit_history.h"
#include "app/main_modes.h"
#include "app/shown_result.h"
#include "app/structure_highlight.h"
#include "editing/edit_state.h"
#include "model/drawing.h"
#include "view/canvas_state.h"

struct Session {
    Session();  // as the program starts: nothing open, every option at its default
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    Drawing drawing;
    EditHistory editHistory;
    MainModes mainModes;
    EditState editState;
    CanvasState canvasState;
    ShownResult shownResult;
    DrawingChanges drawingChanges;
    StructureHighlight structureHighlight;
};
