// Pixel sizes at the density of the window: the layout is designed at 96 dots per inch and grows with
// the density the system reports for the window.
#pragma once

#include <cstdint>

constexpr int32_t BaseDpi = 96;

// The density to compute with: one that no display reports (0 from a failed query, or beyond ten
// times the base) counts as the base, so that a bad value never collapses or explodes the layout.
int32_t UsableDpi(int32_t dpi);

// A length of the 96-DPI layout at dpi, to the nearest pixel with halves away from zero, as MulDiv
// rounds.
int32_t ScaledPixels(int32_t at96, int32_t dpi);

// The pixels that span one zoom value of metres on the canvas: 10 at 96 DPI.
double ZoomPixels(int32_t dpi);
