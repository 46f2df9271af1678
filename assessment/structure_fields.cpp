#include "assessment/structure_fields.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "assessment/assessment_fields.h"
#include "assessment/cd_surroundings.h"
#include "assessment/structures.h"

namespace {

const double CdChoices[CdChoiceCount] = {CdFromSurroundings, 0.25, 0.5, 1.0, 2.0};
const double CdjChoices[CdjChoiceCount] = {0.25, 0.5, 1.0, 2.0};
const char* const KindTexts[] = {"Power", "Telecom"};
const char* const InstallationTexts[] = {"Aerial", "Buried", "Buried in a meshed earthing"};
const char* const EnvironmentTexts[] = {"Rural", "Suburban", "Urban", "Urban with tall buildings"};
const NumberRange* const LineRanges[] = {&LineLengthRange, &LineUwRange, &AdjacentLengthRange, &AdjacentWidthRange,
                                         &AdjacentHeightRange};

template <size_t N>
const char* Pick(const char* const (&texts)[N], int32_t choice) {
    return choice >= 0 && static_cast<size_t>(choice) < N ? texts[choice] : "";
}

bool SameLine(const LineSettings& a, const LineSettings& b) {
    const AdjacentStructure &x = a.adjacent, &y = b.adjacent;
    return a.kind == b.kind && a.installation == b.installation && a.environment == b.environment &&
           a.transformer == b.transformer && a.length == b.length && a.uw == b.uw && x.present == y.present &&
           x.length == y.length && x.width == y.width && x.height == y.height && x.cdj == y.cdj;
}

double* LineValue(LineSettings* line, LineField field) {
    switch (field) {
        case LineField::Length: return &line->length;
        case LineField::Uw: return &line->uw;
        case LineField::AdjacentLength: return &line->adjacent.length;
        case LineField::AdjacentWidth: return &line->adjacent.width;
        default: return &line->adjacent.height;
    }
}

}  // namespace

std::string CdChoiceText(int32_t choice, double suggested) {
    switch (choice) {
        case 0: return "From the surroundings (" + FieldText(suggested, false) + ")";
        case 4: return "2 (hilltop)";
        default: return FieldText(CdOfChoice(choice), false);
    }
}

double CdOfChoice(int32_t choice) {
    return choice >= 0 && choice < CdChoiceCount ? CdChoices[choice] : CdFromSurroundings;
}

int32_t ChoiceOfCd(double cd) {
    auto at = std::find(std::begin(CdChoices), std::end(CdChoices), cd);
    return at == std::end(CdChoices) ? 0 : static_cast<int32_t>(at - std::begin(CdChoices));
}

// The whole drawing is looked at, since the neighbours decide; a structure is found by its first polygon.
bool SuggestedCd(const Drawing& source, int32_t firstPolygon, double* cd) {
    std::vector<Structure> structures = FindStructures(source.polygons);
    std::vector<double> heights;
    for (const Structure& structure : structures) {
        double height = 0.0;
        for (int32_t index : structure.polygons)
            for (double h : source.polygons.polygon(index).height)
                height = std::max(height, h);
        heights.push_back(height);
    }
    std::vector<CdSuggestion> suggestions =
        SuggestCd(source.polygons, structures, heights, source.calcOptions.heightProjection);
    for (size_t i = 0; i < structures.size(); i++)
        if (structures[i].polygons.front() == firstPolygon) {
            *cd = suggestions[i].cd;
            return true;
        }
    return false;
}

StructureEdit StructureEditOf(const AssessmentSettings& settings, int32_t firstPolygon) {
    StructureEdit edit;
    if (const StructureSettings* filed = FindStructureSettings(settings, firstPolygon)) {
        edit.cd = filed->cd;
        edit.uw = filed->uw;
        edit.lines = filed->lines;
    }
    return edit;
}

bool StoreStructureEdit(AssessmentSettings* settings, int32_t firstPolygon, const StructureEdit& edit) {
    StructureEdit before = StructureEditOf(*settings, firstPolygon);
    bool changed = before.cd != edit.cd || before.uw != edit.uw || before.lines.size() != edit.lines.size() ||
                   !std::equal(before.lines.begin(), before.lines.end(), edit.lines.begin(), SameLine);
    if (!changed)
        return false;
    StructureSettings* filed = EditStructureSettings(settings, firstPolygon);
    filed->cd = edit.cd;
    filed->uw = edit.uw;
    filed->lines = edit.lines;
    return true;
}

std::string LineSummary(const LineSettings& line) {
    std::string text = std::string(LineKindText(static_cast<int32_t>(line.kind))) + ", ";
    std::string installation = LineInstallationText(static_cast<int32_t>(line.installation));
    std::transform(installation.begin(), installation.end(), installation.begin(), ::tolower);
    text += installation + ", ";
    text += line.length > 0.0 ? FieldText(line.length, false) + " m" : "length unknown";
    std::string environment = LineEnvironmentText(static_cast<int32_t>(line.environment));
    std::transform(environment.begin(), environment.end(), environment.begin(), ::tolower);
    text += ", " + environment;
    if (line.transformer)
        text += ", transformer";
    if (line.adjacent.present)
        text += ", adjacent structure";
    return text;
}

const char* LineKindText(int32_t choice) {
    return Pick(KindTexts, choice);
}

const char* LineInstallationText(int32_t choice) {
    return Pick(InstallationTexts, choice);
}

const char* LineEnvironmentText(int32_t choice) {
    return Pick(EnvironmentTexts, choice);
}

double CdjOfChoice(int32_t choice) {
    return choice >= 0 && choice < CdjChoiceCount ? CdjChoices[choice] : 1.0;
}

int32_t ChoiceOfCdj(double cdj) {
    auto at = std::find(std::begin(CdjChoices), std::end(CdjChoices), cdj);
    return at == std::end(CdjChoices) ? 2 : static_cast<int32_t>(at - std::begin(CdjChoices));
}

const NumberRange& LineFieldRange(LineField field) {
    return *LineRanges[static_cast<int>(field)];
}

bool LineFieldApplies(const LineTexts& shown, LineField field) {
    switch (field) {
        case LineField::Length: return !shown.lengthUnknown;
        case LineField::Uw: return true;
        default: return shown.adjacent;
    }
}

LineTexts LineTextsOf(const LineSettings& line) {
    LineTexts shown;
    shown.kind = static_cast<int32_t>(line.kind);
    shown.installation = static_cast<int32_t>(line.installation);
    shown.environment = static_cast<int32_t>(line.environment);
    shown.transformer = line.transformer != 0;
    shown.lengthUnknown = line.length == 0.0;
    shown.adjacent = line.adjacent.present != 0;
    shown.cdj = ChoiceOfCdj(line.adjacent.cdj);
    LineSettings copy = line;
    for (int i = 0; i < static_cast<int>(LineField::Count); i++) {
        auto field = static_cast<LineField>(i);
        // An adjacent structure not yet given shows blank fields rather than zeros to type over.
        bool blank = field == LineField::Length || field == LineField::Uw || !shown.adjacent;
        shown.texts[i] = FieldText(*LineValue(&copy, field), blank);
    }
    return shown;
}

// Fields that do not apply are not read: an unknown length is stored as 0, a line without an adjacent
// structure keeps none of its values.
bool ReadLineTexts(const LineTexts& typed, LineSettings* line, LineField* refused) {
    LineSettings read = *line;
    read.kind = static_cast<LineKind>(typed.kind);
    read.installation = static_cast<LineInstallation>(typed.installation);
    read.environment = static_cast<LineEnvironment>(typed.environment);
    read.transformer = typed.transformer ? 1 : 0;
    read.adjacent.present = typed.adjacent ? 1 : 0;
    read.adjacent.cdj = CdjOfChoice(typed.cdj);
    for (int i = 0; i < static_cast<int>(LineField::Count); i++) {
        auto field = static_cast<LineField>(i);
        if (!LineFieldApplies(typed, field))
            continue;
        if (!ReadField(typed.texts[i], LineFieldRange(field), field == LineField::Uw, LineValue(&read, field))) {
            *refused = field;
            return false;
        }
    }
    if (typed.lengthUnknown)
        read.length = 0.0;
    if (!typed.adjacent)
        read.adjacent = AdjacentStructure();
    if (!LineSettingsValid(read)) {
        *refused = LineField::Count;  // a choice outside its list: no field of the user's to name
        return false;
    }
    *line = read;
    return true;
}
