// Which polygon, and which of its vertices, lie under a click on the canvas.
#pragma once

#include <cstdint>

#include "model/polygon_store.h"
#include "view/view_transform.h"

// The polygon drawn on top among those that hold the click or have a vertex whose mark it falls on, and
// the vertex picked (-1 when the click is only inside). True when any polygon was hit, even one whose
// priority is out of range and therefore never chosen.
bool HitTest(const ViewTransform& view, const PolygonStore& store, PixelPoint click, int32_t* polygonIndex,
             int32_t* vertexIndex);
