// Where the canvas looks after an import: the footprints whole, as large as a zoom step allows.
#pragma once

#include <cstdint>

#include "engine/geometry/geometry.h"

struct FittedView {
    int32_t zoomIndex;
    int32_t scrollX, scrollY;  // whole metres, the world point at the top-left pixel, never below 0
};

// The most magnified zoom step at which the box from low to high fits a canvas of width x height
// pixels at dpi with a margin of a twentieth of the canvas on every side (the least magnified when
// none does), scrolled so that the box sits in the middle as far as whole metres allow.
FittedView FitBox(Point low, Point high, int32_t width, int32_t height, int32_t dpi);
