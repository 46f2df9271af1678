// Builders of small DXF and GeoJSON texts for the exchange tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "exchange/import_build.h"

struct XY {
    double x, y;
};

// An ASCII DXF with the given entity text in its ENTITIES section (and $INSUNITS when unit > 0).
std::string DxfFile(const std::string& entities, int unit = 0);
// One LWPOLYLINE; extra holds further "code\nvalue\n" pairs (elevation, thickness, paper space).
std::string LwPolyline(const std::string& layer, const std::vector<XY>& points, bool closed,
                       const std::string& extra = "");

// A GeoJSON polygon feature: the rings closed as RFC 7946 wants, properties as a JSON object text.
std::string PolygonFeature(const std::vector<std::vector<XY>>& rings, const std::string& properties = "{}");
std::string FeatureCollection(const std::vector<std::string>& features, const std::string& extra = "");

// Parses text as the named format and builds it with settings; parse failures fail the test.
ImportResult ImportText(const std::string& text, SourceFormat format, const ImportSettings& settings = {});

// An axis-parallel rectangle polygon of the drawing at one height.
PolygonRecord MakeBlock(double x0, double y0, double x1, double y1, double height);
