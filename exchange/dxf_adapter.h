// DXF in and out, over dxflib. Nothing of dxflib shows in this header.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "exchange/dxf_units.h"
#include "exchange/import_source.h"
#include "exchange/outline_regions.h"

constexpr size_t MaxDxfLineLength = 1000;  // characters; longer lines are refused, never cut

// Reads the closed polylines of the model space as footprints, counting what it skips. False, with the
// reason in error, for a file that is not an ASCII DXF, is malformed or ends before its EOF marker, and
// (with source->unitUnknown set) for one whose declared unit is no unit when givenUnit does not say it.
// A givenUnit is the drawing's unit whatever the file declares.
bool ParseDxf(const uint8_t* bytes, size_t size, ImportSource* source, std::string* error,
              const DxfUnit* givenUnit = nullptr);

// A DXF 2000 file: every contour of every region as a closed LWPOLYLINE on the region's layer, named
// after the region in capitals (AD, AM, FOOTPRINT).
std::string EncodeOutlinesDxf(const std::vector<OutlineRegion>& regions);
