// What an engineer sets for the dangerous-event assessment: drawing-wide values (edition, flash
// densities, withstand voltage) and, per structure, the location factor and the incoming lines. Plain
// data: the structures themselves are derived from the polygons elsewhere; here a structure's settings
// are filed under the index of its first polygon, so that they follow that polygon.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

constexpr int32_t MaxLinesPerStructure = 8;
constexpr size_t MaxSignatureBytes = 200;     // of each field, in UTF-8
constexpr double UnknownLineLength = 1000.0;  // metres assumed when the length is not known

enum class LineKind : uint8_t { Power, Telecom, Count };
enum class LineInstallation : uint8_t { Aerial, Buried, Meshed, Count };
enum class LineEnvironment : uint8_t { Rural, Suburban, Urban, UrbanTall, Count };

// The structure at a line's far end, as a rectangular block.
struct AdjacentStructure {
    uint8_t present = 0;
    double length = 0.0;  // metres
    double width = 0.0;
    double height = 0.0;
    double cdj = 1.0;  // its location factor
};

struct LineSettings {
    LineKind kind = LineKind::Power;
    LineInstallation installation = LineInstallation::Aerial;
    LineEnvironment environment = LineEnvironment::Rural;
    uint8_t transformer = 0;  // an HV/LV transformer at the entrance
    double length = 0.0;      // metres; 0: not known
    double uw = 0.0;          // kV; 0: the default of the kind
    AdjacentStructure adjacent;
};

// The location factor CD: 0 means "from the surroundings".
constexpr double CdFromSurroundings = 0.0;

struct StructureSettings {
    int32_t firstPolygon = 0;
    double cd = CdFromSurroundings;
    double uw = 0.0;  // kV, edition 3; 0: the drawing's
    std::vector<LineSettings> lines;
};

// The fields of the report that an engineer fills in by hand; empty ones are printed as blank lines to
// write on.
struct ReportSignatures {
    std::string project;
    std::string author;
    std::string checker;

    bool empty() const { return project.empty() && author.empty() && checker.empty(); }
};

struct AssessmentSettings {
    uint8_t present = 0;  // 0: the drawing has never had settings; nothing is written to its file
    int32_t edition = 2;
    double ng = 0.0;   // flashes per km^2 per year; 0: not given
    double nsg = 0.0;  // ground strike-points per km^2 per year (edition 3); 0: from k * NG
    double k = 2.0;
    double uw = 2.5;                            // kV, edition 3
    std::vector<StructureSettings> structures;  // ordered by first polygon, one at most per polygon
    ReportSignatures signatures;
};

double LineLength(const LineSettings& line);
// The line's withstand voltage, or the default of its kind: 2.5 kV power, 1.5 kV telecom.
double LineWithstand(const LineSettings& line);

// True for the values a user could have given: each is refused by the command line and the dialogs
// otherwise. polygonCount bounds the first-polygon indices.
bool CdValueValid(double cd, bool allowSurroundings);
bool LineSettingsValid(const LineSettings& line);
bool AssessmentSettingsValid(const AssessmentSettings& settings, int32_t polygonCount);

// The settings of the structure whose first polygon is index; null when it has none of its own.
const StructureSettings* FindStructureSettings(const AssessmentSettings& settings, int32_t index);
// The same for changing them, adding defaults when there are none.
StructureSettings* EditStructureSettings(AssessmentSettings* settings, int32_t index);

// After polygon index was removed: its settings go, those of later polygons move down one index.
void RemovePolygonSettings(AssessmentSettings* settings, int32_t index);
