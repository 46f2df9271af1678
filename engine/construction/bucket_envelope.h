// The outline over one bucket of directions from the walk's centre (radial_outline.h): the upper
// envelope of the edges that may reach farthest there, as seen from the centre.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/construction/seen_edges.h"

// The bucket runs from the unit ray e0 round to the ray at tangent width from it. Each function writes
// the outline from the bucket's first ray to its last, the first and last points on those rays, and the
// ids of the edges it starts and ends on; false when the edges do not cover the bucket or the walk meets
// a crossing it cannot settle in floating point.

// The edges are one disc's, in order round the centre: its points between the bounds are the outline.
bool FollowDisc(Point e0, double width, const std::vector<Seen>& edges, std::vector<Point>* points, uint64_t* firstTop,
                uint64_t* lastTop);

// Steps from edge to edge where one starts above the current one or crosses it from below.
bool WalkEnvelope(Point e0, double width, const std::vector<Seen>& edges, std::vector<Point>* points,
                  uint64_t* firstTop, uint64_t* lastTop);
