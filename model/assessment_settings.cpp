#include "model/assessment_settings.h"

#include <algorithm>
#include <cmath>

namespace {

bool Positive(double value) {
    return std::isfinite(value) && value > 0.0;
}

bool NonNegative(double value) {
    return std::isfinite(value) && value >= 0.0;
}

bool AdjacentValid(const AdjacentStructure& adjacent) {
    if (!adjacent.present)
        return true;
    return Positive(adjacent.length) && Positive(adjacent.width) && NonNegative(adjacent.height) &&
           CdValueValid(adjacent.cdj, false);
}

bool StructureValid(const StructureSettings& structure, int32_t polygonCount) {
    if (structure.firstPolygon < 0 || structure.firstPolygon >= polygonCount)
        return false;
    if (!CdValueValid(structure.cd, true) || !NonNegative(structure.uw))
        return false;
    if (structure.lines.size() > static_cast<size_t>(MaxLinesPerStructure))
        return false;
    return std::all_of(structure.lines.begin(), structure.lines.end(), LineSettingsValid);
}

}  // namespace

double LineLength(const LineSettings& line) {
    return line.length > 0.0 ? line.length : UnknownLineLength;
}

double LineWithstand(const LineSettings& line) {
    if (line.uw > 0.0)
        return line.uw;
    return line.kind == LineKind::Telecom ? 1.5 : 2.5;
}

bool CdValueValid(double cd, bool allowSurroundings) {
    if (cd == CdFromSurroundings)
        return allowSurroundings;
    return cd == 0.25 || cd == 0.5 || cd == 1.0 || cd == 2.0;
}

bool LineSettingsValid(const LineSettings& line) {
    return line.kind < LineKind::Count && line.installation < LineInstallation::Count &&
           line.environment < LineEnvironment::Count && line.transformer <= 1 && NonNegative(line.length) &&
           NonNegative(line.uw) && AdjacentValid(line.adjacent);
}

bool AssessmentSettingsValid(const AssessmentSettings& settings, int32_t polygonCount) {
    if (settings.edition != 2 && settings.edition != 3)
        return false;
    if (!NonNegative(settings.ng) || !NonNegative(settings.nsg) || !Positive(settings.k) || !Positive(settings.uw))
        return false;
    int32_t previous = -1;
    for (const StructureSettings& structure : settings.structures) {
        if (structure.firstPolygon <= previous || !StructureValid(structure, polygonCount))
            return false;
        previous = structure.firstPolygon;
    }
    const ReportSignatures& s = settings.signatures;
    for (const std::string* field : {&s.project, &s.author, &s.checker})
        if (field->size() > MaxSignatureBytes || field->find('\0') != std::string::npos)
            return false;
    return true;
}

const StructureSettings* FindStructureSettings(const AssessmentSettings& settings, int32_t index) {
    for (const StructureSettings& structure : settings.structures)
        if (structure.firstPolygon == index)
            return &structure;
    return nullptr;
}

StructureSettings* EditStructureSettings(AssessmentSettings* settings, int32_t index) {
    std::vector<StructureSettings>& list = settings->structures;
    auto at = std::lower_bound(list.begin(), list.end(), index,
                               [](const StructureSettings& s, int32_t i) { return s.firstPolygon < i; });
    if (at == list.end() || at->firstPolygon != index) {
        StructureSettings fresh;
        fresh.firstPolygon = index;
        at = list.insert(at, fresh);
    }
    settings->present = 1;
    return &*at;
}

void RemovePolygonSettings(AssessmentSettings* settings, int32_t index) {
    std::vector<StructureSettings>& list = settings->structures;
    list.erase(std::remove_if(list.begin(), list.end(),
                              [index](const StructureSettings& s) { return s.firstPolygon == index; }),
               list.end());
    for (StructureSettings& structure : list)
        if (structure.firstPolygon > index)
            structure.firstPolygon--;
}
