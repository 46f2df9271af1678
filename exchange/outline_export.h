// The Ad and Am outlines and the footprint of a calculated drawing, written as DXF or GeoJSON in the
// coordinates of the file the drawing was imported from.
#pragma once

#include <string>
#include <vector>

#include "engine/run/calc_records.h"
#include "exchange/import_source.h"
#include "exchange/outline_regions.h"
#include "model/drawing.h"

enum class OutlineView { Ad, Am, Both };

enum class ExportError {
    None,
    UnknownFormat,  // the name ends in neither .dxf, .geojson nor .json
    NoResult,       // the result holds no outline of the view asked for
    CannotConvert,  // a point cannot be taken back to longitude/latitude
    CannotWrite,    // the old file, if any, is as it was
};

const char* ExportErrorText(ExportError error);

// The regions of the view (ad and/or am), then the footprint: the union of the drawing's polygons,
// so that a footprint imported in parts comes back whole. Points in the source's planar coordinates
// (for longitude/latitude sources, the local plane's metres).
bool OutlineRegions(const Drawing& source, const CalcResult& result, OutlineView view,
                    std::vector<OutlineRegion>* regions);

// The union of the drawing's polygons as one region named name, in the source's coordinates, and in
// longitude/latitude again when the drawing was imported from them. False when either step fails.
bool FootprintRegion(const Drawing& source, const char* name, OutlineRegion* region);

// Writes the file in one step: a failed export leaves no file and an old one untouched. The format
// follows the name's extension, or is given.
ExportError WriteOutlineFile(const char* path, const Drawing& source, const CalcResult& result, OutlineView view);
ExportError WriteOutlineFile(const char* path, SourceFormat format, const Drawing& source, const CalcResult& result,
                             OutlineView view);
