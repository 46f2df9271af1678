// Between world metres and canvas pixels: the zoom, the scroll positions, the scroll ranges, the grid.
#pragma once

#include <cstdint>

#include "engine/geometry/geometry.h"
#include "view/dpi_scale.h"

struct PixelPoint {
    int32_t x;
    int32_t y;
};

// A rectangle of pixels: left and top inside, right and bottom just outside, as GDI fills it.
struct PixelBox {
    int32_t left, top, right, bottom;
    bool contains(PixelPoint p) const { return left <= p.x && p.x < right && top <= p.y && p.y < bottom; }
};

// The red square drawn on a vertex at that pixel; a click anywhere on it picks the vertex. It grows
// with the window's density.
PixelBox VertexMarkBox(PixelPoint vertex, int32_t dpi = BaseDpi);

// Scroll positions in whole metres; z is the zoom value, the metres that 10 pixels span at 96 DPI (at
// 192 DPI, 20 pixels span them, so that a drawing keeps its size on the screen).
struct ViewTransform {
    int32_t scrollX;
    int32_t scrollY;
    double z;
    int32_t dpi = BaseDpi;
};

// A pixel coordinate truncated toward zero and held within the range GDI can draw (2^27), so that
// far-off points and huge map sizes lie off the canvas instead of overflowing the integer.
int32_t PixelCoordinate(double value);

Point ToWorld(const ViewTransform& view, int32_t px, int32_t py);

// Truncates toward zero, so that a vertex and its mark land on the same pixel.
PixelPoint ToPixel(const ViewTransform& view, double wx, double wy);

// The scroll page for a client extent in pixels: whole tens of pixels (at 96 DPI) times z, at least 1
// metre.
int32_t ScrollPage(int32_t pixels, double z, int32_t dpi = BaseDpi);

// The maximum of both scroll bars: the map size in whole metres, or 0 in the result views.
int32_t ScrollMaximum(double mapSize, bool resultView);

// The spacing of the grid dots in pixels: the snap step times 10 / z (at 96 DPI), at least 1.
int32_t GridStep(double snapStep, double z, int32_t dpi = BaseDpi);
