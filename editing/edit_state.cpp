#include "editing/edit_state.h"

void DropPendingPolygon(EditState* edit) {
    edit->constructing = false;
    edit->pendingPolygon = PolygonRecord();
}

void EndDrag(EditState* edit) {
    edit->dragActive = false;
    edit->selectedPolygon = -1;
    edit->selectedVertex = -1;
}
