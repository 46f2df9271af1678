// Outlines as exports write them: regions of polygons with holes, in the source's own coordinates.
#pragma once

#include <string>
#include <vector>

#include "model/georeference.h"

struct OutlinePolygon {
    std::vector<PlanePoint> outer;               // counter-clockwise with y north, no closing repeat
    std::vector<std::vector<PlanePoint>> holes;  // clockwise
};

struct OutlineRegion {
    std::string name;  // "ad", "am" or "footprint"
    double areaKm2 = 0.0;
    std::vector<OutlinePolygon> polygons;
};
