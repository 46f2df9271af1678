// What a DXF or GeoJSON file holds for the import, read but not yet resolved, projected or checked.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/georeference.h"

enum class SourceFormat { Dxf, GeoJson };

struct SourcePoint {
    double x;
    double y;
    double z = 0.0;      // a 3D polyline's vertex height
    double bulge = 0.0;  // DXF: tan(1/4 of the arc's angle) from this vertex to the next, 0 for a line
};

// Where a footprint's height comes from, in the order they are tried.
enum class HeightSource { VertexZ, Thickness, Elevation, HeightProperty, Levels, Default, Count };

struct SourceFootprint {
    std::string name;                             // layer and running number, a feature's name, or "feature N"
    std::string layer;                            // DXF layer; empty for GeoJSON
    std::vector<std::vector<SourcePoint>> rings;  // the outer ring, then holes; no closing repeat
    bool vertexHeights = false;                   // every vertex has z above 0 (3D polylines)
    double thickness = 0.0;                       // DXF, 0 when not given
    double elevation = 0.0;                       // DXF, 0 when not given
    double heightProperty = 0.0;                  // GeoJSON "height" read as metres, 0 when absent or unreadable
    double levels = 0.0;                          // GeoJSON "building:levels", 0 when absent or unreadable
    int32_t unreadableHeights = 0;                // property texts that could not be read as numbers
    std::string fault;  // the reason the reader already refuses this footprint, empty when none
};

// A kind of entity or geometry skipped by the reader, and how many.
struct SkippedCount {
    std::string kind;
    int32_t count;
};

struct ImportSource {
    SourceFormat format = SourceFormat::Dxf;
    GeoKind coordinates = GeoKind::Plane;
    int32_t epsg = 0;          // a projected system named by a GeoJSON crs member
    double unitScale = 1.0;    // metres per source unit (DXF $INSUNITS)
    std::string unitName;      // the unit used, as the summary says it, e.g. "feet, scaled to metres"
    bool unitUnknown = false;  // refused because the DXF declares a unit that no unit code has
    std::vector<SourceFootprint> footprints;
    std::vector<SkippedCount> skipped;
};

// Adds one to the count of kind, keeping the kinds in the order first seen.
void CountSkipped(ImportSource* source, const std::string& kind);
