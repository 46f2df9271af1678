// A structure's own settings and its lines as the "Structure" and "Line" dialogs show and read them:
// the choices of their drop-downs, the ranges of their fields, and what storing them changes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/assessment_settings.h"
#include "model/drawing.h"
#include "text/number_field.h"

// ---- the structure -------------------------------------------------------------------------------

// "From the surroundings (0.5)", "0.25", "0.5", "1", "2 (hilltop)".
constexpr int32_t CdChoiceCount = 5;
std::string CdChoiceText(int32_t choice, double suggested);
double CdOfChoice(int32_t choice);  // CdFromSurroundings for the first
int32_t ChoiceOfCd(double cd);      // the first for a value that is not one of them

// What the structure's surroundings suggest for CD; false when firstPolygon begins no structure, whose
// settings would not be kept.
bool SuggestedCd(const Drawing& source, int32_t firstPolygon, double* cd);

// Blank: the drawing's UW.
constexpr NumberRange StructureUwRange = {"UW of the structure [kV]", 0.1, 100.0};

// What the dialog edits, with the lines as they are listed.
struct StructureEdit {
    double cd = CdFromSurroundings;
    double uw = 0.0;
    std::vector<LineSettings> lines;
};
StructureEdit StructureEditOf(const AssessmentSettings& settings, int32_t firstPolygon);

// Files the edit under firstPolygon; true when it differs from what was filed (or from the defaults).
bool StoreStructureEdit(AssessmentSettings* settings, int32_t firstPolygon, const StructureEdit& edit);

// A line as the structure's list shows it: "Power, aerial, 250 m, rural".
std::string LineSummary(const LineSettings& line);

// ---- a line --------------------------------------------------------------------------------------

constexpr NumberRange LineLengthRange = {"Length [m]", 0.1, 100000.0};
constexpr NumberRange LineUwRange = {"UW of the line [kV]", 0.1, 100.0};
constexpr NumberRange AdjacentLengthRange = {"L of the adjacent structure [m]", 0.1, 10000.0};
constexpr NumberRange AdjacentWidthRange = {"W of the adjacent structure [m]", 0.1, 10000.0};
constexpr NumberRange AdjacentHeightRange = {"H of the adjacent structure [m]", 0.0, 1000.0};

const char* LineKindText(int32_t choice);          // "Power", "Telecom"
const char* LineInstallationText(int32_t choice);  // "Aerial", "Buried", "Buried in a meshed earthing"
const char* LineEnvironmentText(int32_t choice);   // "Rural", "Suburban", "Urban", "Urban with tall buildings"
constexpr int32_t CdjChoiceCount = 4;              // 0.25, 0.5, 1, 2: no surroundings at a line's far end
double CdjOfChoice(int32_t choice);
int32_t ChoiceOfCdj(double cdj);

enum class LineField { Length, Uw, AdjacentLength, AdjacentWidth, AdjacentHeight, Count };
const NumberRange& LineFieldRange(LineField field);

// The Line dialog's controls as plain values: choices are indices, texts as typed.
struct LineTexts {
    int32_t kind = 0, installation = 0, environment = 0, cdj = 2;
    bool transformer = false, lengthUnknown = true, adjacent = false;
    std::string texts[static_cast<int>(LineField::Count)];
};

// Whether a field takes a value now: the length unless it is unknown, the block only with an adjacent
// structure; UW may always be given (blank: the kind's default).
bool LineFieldApplies(const LineTexts& shown, LineField field);

LineTexts LineTextsOf(const LineSettings& line);

// All or nothing: false, with the refused field and line untouched, for a text outside its range.
bool ReadLineTexts(const LineTexts& typed, LineSettings* line, LineField* refused);
