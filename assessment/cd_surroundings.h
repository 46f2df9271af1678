// The location factor CD suggested by a structure's surroundings: what stands within K times its
// height of its footprint, and on how many sides.
#pragma once

#include <cstdint>
#include <vector>

#include "assessment/structures.h"
#include "model/polygon_store.h"

constexpr int32_t CdSectorCount = 8;        // 45 degrees each, around the footprint's centroid
constexpr int32_t CdSurroundedSectors = 6;  // taken by higher neighbours: surrounded

struct CdSuggestion {
    double cd = 1.0;            // 1 isolated, 0.5 neighbours, 0.25 surrounded by higher ones
    int32_t nearby = 0;         // structures whose footprint enters the vicinity
    int32_t higherSectors = 0;  // sectors taken by nearby structures higher than this one
    double vicinity = 0.0;      // K * H, metres
};

// What each structure's surroundings suggest, in the order of structures. heights[i] is structure i's
// greatest height; centroids are taken from the footprints' union.
std::vector<CdSuggestion> SuggestCd(const PolygonStore& polygons, const std::vector<Structure>& structures,
                                    const std::vector<double>& heights, double heightProjection);

// The sector (0 to 7) of the direction (dx, dy), decided by exact comparisons so that both builds agree.
int32_t SectorOf(double dx, double dy);
