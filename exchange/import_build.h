// From what a file holds to polygons of the drawing: heights resolved, coordinates projected to metres,
// arcs made straight, close vertices merged, courtyards split, every footprint checked, and the whole
// placed inside the map with a margin.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "exchange/import_source.h"
#include "model/drawing.h"

struct ImportSettings {
    double defaultHeight = 0.0;       // metres for footprints without a height of their own; 0 for none
    double levelHeight = 3.0;         // metres per storey of "building:levels"
    std::vector<std::string> layers;  // DXF layers to keep; empty keeps every layer
};

struct FootprintFailure {
    std::string name;    // the footprint's name, or "feature N"
    std::string reason;  // e.g. "edges 2 and 5 cross or overlap"
};

struct ImportResult {
    std::string refusal;                  // non-empty: nothing can be imported, and why
    std::vector<PolygonRecord> polygons;  // the footprints that passed, in drawing coordinates
    std::vector<FootprintFailure> failures;
    Georeference georeference;
    double mapSize = 0.0;  // metres that hold the polygons and their margin
    double width = 0.0;    // extent of the polygons in metres, for choosing a zoom
    double height = 0.0;
    int32_t footprints = 0;  // footprints that passed; one with courtyards gives several polygons
    int32_t vertices = 0;
    int32_t heightSources[static_cast<int>(HeightSource::Count)] = {};
    int32_t unreadableHeights = 0;
    std::vector<SkippedCount> skipped;
    std::string unitName;
    double levelHeight = 3.0;
};

// True when some footprint of the kept layers gives no height of its own, so that a default is needed.
bool NeedsDefaultHeight(const ImportSource& source, const ImportSettings& settings);

ImportResult BuildImport(const ImportSource& source, const ImportSettings& settings);

// What was imported, for the user: a few lines, each ending in a newline.
std::string ImportSummary(const ImportResult& result);

// One line per footprint that failed its checks: "NAME: REASON"; past the most lines given, one line
// that counts the rest, so that a message box stays on the screen.
std::string ImportFailuresText(const ImportResult& result, size_t most = SIZE_MAX);

enum class ApplyOutcome { Applied, Refused, HasFailures };

// Replaces the target's polygons with the imported ones, grows its map size to hold them, takes the
// georeference and marks it a new, modified, untitled drawing. Leaves the target untouched when the
// import was refused, or when some footprint failed and importRest is false.
ApplyOutcome ApplyImport(const ImportResult& result, bool importRest, Drawing* target);
