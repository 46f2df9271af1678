// The region of one polygon built as the method defines it, for tests of the engine's shortcuts.
#pragma once

#include <vector>

#include "engine/clipper/clipper.h"
#include "engine/construction/band_shapes.h"

// n vertices on a circle of radius r around c, the height swelling and sinking three times around.
CalcPolygon RoundPolygon(Point c, double r, int n, double height, double swell);

ClipPolygon Contour(const std::vector<Point>& points);

// The footprint, every whole circle polygon and every whole band trapezoid, united.
ClipPolygon LiteralRegion(const PolygonBands& b);
