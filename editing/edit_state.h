// The state of the editing tools: a polygon under construction and an edit drag.
#pragma once

#include <cstdint>

#include "engine/geometry/geometry.h"
#include "model/polygon_store.h"

struct EditState {
    PolygonRecord pendingPolygon;  // the polygon being created, vertex by vertex
    bool constructing = false;
    bool dragActive = false;  // a vertex or polygon is being moved
    int32_t selectedPolygon = -1;
    int32_t selectedVertex = -1;    // -1 with a selected polygon: the whole polygon moves
    Point dragOrigin = {0.0, 0.0};  // where a whole polygon was picked up
};

void DropPendingPolygon(EditState* edit);  // abandons the polygon under construction
void EndDrag(EditState* edit);             // abandons an edit drag, selecting nothing
