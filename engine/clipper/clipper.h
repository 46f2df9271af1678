// Polygon union and difference for the engine: contours with hole flags in, contours with hole flags out.
// Coordinates cross to the integer clipper in micrometres; any failure inside it (a coordinate out of
// range, an exception, memory exhausted) makes the operation return false instead of escaping.
#pragma once

#include <functional>
#include <vector>

#include "engine/geometry/geometry.h"

struct ClipContour {
    bool hole = false;
    std::vector<Point> points;  // the last point connects back to the first
};

// A region as a list of contours; a value that owns its points, so a copy is a deep copy.
struct ClipPolygon {
    std::vector<ClipContour> contours;
};

// One outer contour holding copies of the points, without a closing point.
ClipPolygon SingleContourPolygon(const Point* points, int32_t count);
// The region of the one contour, taken without a copy (a braced list copies its elements).
ClipPolygon SingleContourPolygon(ClipContour contour);

// The polygon united with itself: simple contours, outer ones and holes told apart.
bool NormalForm(const ClipPolygon& polygon, ClipPolygon* result);
// The normal form with no contour touching itself or another, so that every hole and every island in a
// hole is a contour of its own. A plain normal form may join them at a shared vertex.
bool StrictlySimpleForm(const ClipPolygon& polygon, ClipPolygon* result);

// The strictly simple form of a ring that winds once round the given point, every step turning forward
// about it, without a sweep: its points on the grid, repeats and points on the line through their
// neighbours dropped, from its least point, as a sweep would give it. False when the grid has turned
// some step back about the point, or the ring does not wind round it once; the caller then sweeps.
// Also false as soon as stopped, asked between its steps, turns true.
bool StarRingForm(std::vector<Point> ring, Point centre, ClipContour* contour,
                  const std::function<bool()>& stopped = [] { return false; });

bool ClipUnion(const ClipPolygon& subject, const ClipPolygon& clip, ClipPolygon* result);
// With strictlySimple the result comes in the strictly simple form.
bool ClipDifference(const ClipPolygon& subject, const ClipPolygon& clip, ClipPolygon* result,
                    bool strictlySimple = false);

// The union of every part in one pass of the clipper; cheaper than uniting them one by one. Each part
// must fill its inside once: a simple contour, or a normal form.
bool ClipUnionAll(const std::vector<ClipPolygon>& parts, ClipPolygon* result);

int32_t OuterContourCount(const ClipPolygon& polygon);
// Outer contours count positive, holes negative.
double RegionArea(const ClipPolygon& polygon);
