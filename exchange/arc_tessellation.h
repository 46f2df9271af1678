// DXF arc segments (bulges) as chains of straight edges.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/geometry/geometry.h"

constexpr double MaxChordError = 0.05;  // metres between an arc and the edges that replace it
constexpr int32_t MaxArcSegments = 4096;

// The points strictly between from and to on the arc of the given bulge (tan of a quarter of the
// signed included angle, positive counter-clockwise), as few as keep every edge within maxError of
// the arc. Nothing for a bulge of 0 or a bulge or chord that is not a finite number.
void AppendArcPoints(Point from, Point to, double bulge, double maxError, std::vector<Point>* points);
