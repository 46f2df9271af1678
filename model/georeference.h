// Where an imported drawing came from: the shift that placed it in the map, the source's unit and, for
// longitude/latitude sources, the centre of the local projection. Exports use it to give the outlines
// back in the source's own coordinates.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

enum class GeoKind : uint8_t {
    Plane = 0,   // the source's coordinates are planar (CAD units or a projected system)
    LonLat = 1,  // longitude/latitude, projected by a transverse Mercator centred on the origin below
};

// drawing x = source x * unitScale + shiftX; drawing y = shiftY - source y * unitScale. The y axis
// turns over because the map's y grows downwards while CAD and GIS y grows northwards. For LonLat
// the source coordinates are the projection's easting and northing about the origin.
struct Georeference {
    uint8_t present = 0;
    GeoKind kind = GeoKind::Plane;
    int32_t epsg = 0;        // projected system named by the source, 0 when none was named
    double unitScale = 1.0;  // metres per source unit
    double shiftX = 0.0;
    double shiftY = 0.0;
    double originLongitude = 0.0;
    double originLatitude = 0.0;
};

// The optional block after the last height of a .Zlv file: tag, version, then the record.
constexpr size_t GeoreferenceBlockSize = 50;

void AppendGeoreferenceBlock(const Georeference& georeference, std::vector<uint8_t>* bytes);

// The georeference of the bytes after the last height. Absent, of another version, short or holding
// values out of range, it reads as no georeference: the drawing itself never depends on it.
Georeference DecodeGeoreferenceBlock(const uint8_t* bytes, size_t size);

struct PlanePoint {
    double x;
    double y;
};

// Between metres on the source's plane (its coordinates times the unit's scale, or the local plane of
// longitude/latitude) and the drawing's, by the record's shift and the turn of y (north up on screen).
PlanePoint PlaneToDrawing(const Georeference& georeference, PlanePoint metres);
// Back from the drawing to the source's own planar coordinates, the unit's scale undone too.
PlanePoint DrawingToSource(const Georeference& georeference, PlanePoint drawn);
