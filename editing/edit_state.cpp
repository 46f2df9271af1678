#include "editing/edit_state.h"

#include "shell/main_modes.h"

EditState editState;

void DropPendingPolygon() {
    editState.constructing = false;
    editState.pendingPolygon = Polygon();
}

// Options > Draw is off only while something is carried, so it comes back with every end of a drag.
void EndDrag() {
    SetOptionsDrawEnabled(true);
    editState.dragActive = false;
    editState.selectedPolygon = -1;
    editState.selectedVertex = -1;
}
