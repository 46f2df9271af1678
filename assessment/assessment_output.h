// The assessment as JSON (one object for programs) and as GeoJSON (one Feature per structure, for GIS).
#pragma once

#include <string>

#include "assessment/assessment_records.h"
#include "model/drawing.h"

// edition, ng, nsg, k, uw, k_height, d, then structures in order, each with its polygons, areas, CD,
// events (null when absent) and lines with their inputs and results; a structure that could not be
// calculated has error and null areas and events.
std::string AssessmentJson(const AssessmentResult& result);

// A FeatureCollection with one Feature per structure: its footprint as a MultiPolygon in the source's
// coordinates (longitude/latitude again for a drawing imported from them) and the structure's values
// as properties. False when a footprint cannot be united or taken back to the source's coordinates.
bool AssessmentGeoJson(const Drawing& source, const AssessmentResult& result, std::string* text);
