#include "editing/edit_state.h"

EditState editState;

void DropPendingPolygon() {
    editState.constructing = false;
    editState.pendingPolygon = Polygon();
}

void EndDrag() {
    editState.dragActive = false;
    editState.selectedPolygon = -1;
    editState.selectedVertex = -1;
}
