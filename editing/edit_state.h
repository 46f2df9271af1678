// The state of the editing tools that the rest of the program must be able to reset: a polygon under
// construction and an edit drag.
#pragma once

#include <cstdint>

struct EditState {
    bool constructing = false;  // a polygon is being created
    bool dragActive = false;    // a vertex or polygon is being moved
    int32_t selectedPolygon = -1;
    int32_t selectedVertex = -1;
};

extern EditState editState;

void DropPendingPolygon();  // abandons the polygon under construction
void EndDrag();             // abandons an edit drag, selecting nothing
