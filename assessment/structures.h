// Structures: the connected groups of polygons that overlap or touch. A structure is derived from the
// drawing, never stored; its identity is its first (lowest) polygon index.
#pragma once

#include <cstdint>
#include <vector>

#include "model/assessment_settings.h"
#include "model/polygon_store.h"

struct Structure {
    std::vector<int32_t> polygons;  // ascending; polygons.front() is the first polygon
};

// Closer than this (metres) counts as touching: the clipper's own resolution.
constexpr double TouchTolerance = 1e-6;

// True when the two polygons share at least a point: edges that cross or touch, or one inside the
// other. Polygons are closed rings of at least one vertex.
bool PolygonsShareAPoint(const PolygonRecord& first, const PolygonRecord& second);

// Every structure of the store, ordered by first polygon. Candidate pairs come from a sweep over the
// polygons' boxes, so a site of many small buildings costs little more than its touching pairs.
std::vector<Structure> FindStructures(const PolygonStore& polygons);

// Drops the settings filed under polygons that are no longer the first of their structure, after a
// change: a structure formed by joining keeps its first polygon's settings, and a part split off starts
// from the defaults instead of bringing back settings it had before it was joined.
void DropDetachedSettings(const PolygonStore& polygons, AssessmentSettings* settings);
