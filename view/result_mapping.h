// How a result view fits the Ad or Am outline into a rectangle, and the order its contours are painted.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/run/calc_records.h"
#include "view/view_transform.h"

// The bounding box of the chosen outline, scaled so that its larger side spans the rectangle's smaller
// side, with its centre on the rectangle's centre. The y axis is not flipped.
class ResultMapping {
  public:
    ResultMapping(const CalcResult& result, bool ad, int32_t width, int32_t height);
    // False when there is nothing to map: no contour of the area, a box of no size, or an empty rectangle.
    bool usable() const { return size > 0.0 && shorterSide > 0; }
    PixelPoint map(double x, double y) const;

  private:
    double size = 0.0;  // S, metres: the larger side of the bounding box
    int32_t shorterSide = 0;
    double halfWidth = 0.0, halfHeight = 0.0;  // A and B, metres
    double centreX = 0.0, centreY = 0.0;
};

// Indexes of the contours of the area, largest first; equal areas keep their contour order.
std::vector<int32_t> ResultPaintOrder(const CalcResult& result, bool ad);

// Where a vertex of a polygon being dragged is drawn: at its offset from the grab point, scaled to
// pixels, from the pointer.
PixelPoint GhostVertex(PixelPoint pointer, Point vertex, Point dragOrigin, double z, int32_t dpi = BaseDpi);
