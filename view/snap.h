// Snapping the pointer to the grid, with a carry that lets slow moves add up to a whole step.
#pragma once

#include "view/view_transform.h"

struct SnapCarry {
    int32_t x = 0;
    int32_t y = 0;
};

// The raw position after the carry: a move shorter than a grid step on both axes adds to the carry,
// and a carry that reaches a step moves the position on; a longer move clears the carry.
PixelPoint CarryMove(PixelPoint raw, PixelPoint previous, int32_t gridStep, SnapCarry* carry);

// The nearest multiple of the grid step on each axis (a remainder of half a step rounds up).
PixelPoint SnapToGrid(PixelPoint position, int32_t gridStep);
