// GeoJSON in and out, over nlohmann-json. Nothing of nlohmann-json shows in this header.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "exchange/import_source.h"
#include "exchange/outline_regions.h"

// Reads the Polygon and MultiPolygon geometries of the features (or a bare geometry) as footprints, with
// their height properties, counting the geometries it skips. A feature whose geometry is malformed
// becomes a footprint with a fault. False, with the reason in error, for invalid JSON, JSON that is not
// GeoJSON, or a crs member naming a system the import cannot take.
bool ParseGeoJson(const uint8_t* bytes, size_t size, ImportSource* source, std::string* error);

// A FeatureCollection with one Feature per region: properties "region" and "area_km2", a MultiPolygon
// with holes as interior rings. Positions are longitude/latitude when lonLat is true; otherwise the
// source's planar coordinates, with a legacy crs member when epsg names their system.
std::string EncodeOutlinesGeoJson(const std::vector<OutlineRegion>& regions, bool lonLat, int32_t epsg);
