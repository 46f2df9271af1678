// Bringing a part of the map into the canvas, as the Structures window does with a selected structure.
#pragma once

#include <cstdint>

#include "engine/geometry/geometry.h"
#include "view/view_transform.h"

struct ScrollPosition {
    int32_t x, y;  // whole metres
};

// The scroll positions that show the box from low to high on a canvas of width x height pixels: those of
// the view where the box already lies wholly in sight along an axis, else the box centred along it,
// held between 0 and maximum (the scroll bars' range).
ScrollPosition ScrollToShow(Point low, Point high, const ViewTransform& view, int32_t width, int32_t height,
                            int32_t maximum);
