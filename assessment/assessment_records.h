// What an assessment run takes and gives: the settings in force, and per structure its polygons, areas,
// location factor, events and every formula with its inputs, so that a table, a window and a report
// can all be built from one result.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "assessment/event_formulas.h"
#include "assessment/structures.h"
#include "engine/geometry/geometry.h"
#include "model/assessment_settings.h"
#include "model/drawing_options.h"

// Values given for one run over what the drawing stores (the command line's options): each applies
// only when it is set; cd and lines then apply to every structure.
struct AssessOverrides {
    std::optional<int32_t> edition;
    std::optional<double> ng, nsg, k, uw;
    std::optional<double> cd;  // CdFromSurroundings or a fixed value
    std::optional<std::vector<LineSettings>> lines;
    std::optional<double> heightProjection, distanceProjection;
};

struct StructureResult {
    int32_t number = 0;  // 1 for the first structure, in the order of first polygons
    Structure structure;
    std::string name;  // the first polygon's
    int32_t vertices = 0;
    double height = 0.0;      // the greatest vertex height, metres
    double footprint = 0.0;   // m^2 of the union of the polygons
    bool calculated = false;  // false: error says why, and no area or event is given
    std::string error;
    double ad = 0.0;                            // m^2
    double am = 0.0;                            // m^2
    std::vector<std::vector<Point>> adOutline;  // its Ad's contours, holes included, for the site plan
    double amDistance = 0.0;                    // metres: D, or rM for edition 3
    double uw = 0.0;                            // kV in force for rM (edition 3)
    double cd = 1.0;                            // in force
    bool cdSet = false;                         // false: cd is what the surroundings suggest
    double cdSuggested = 1.0;                   // what the surroundings suggest, whatever is in force
    std::vector<LineSettings> lines;
    StructureEvents events;
};

struct AssessmentResult {
    AssessmentSettings settings;  // drawing-wide values in force (structures' own settings not repeated)
    FlashDensity density;
    CalcOptions calcOptions;  // K and the drawing's D in force
    std::vector<StructureResult> structures;
    bool allCalculated() const;
};
