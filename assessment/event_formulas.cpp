#include "assessment/event_formulas.h"

#include <cmath>

namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr double PerSquareKm = 1e-6;  // areas are in m^2, densities per km^2

// What changes between the editions besides the formulas below.
struct EditionRules {
    double buriedCi;  // CI of a buried line (not within a meshed earth-termination)
    const char* nSymbol;
};
EditionRules Rules(int32_t edition) {
    return edition == 3 ? EditionRules{0.3, "NSG"} : EditionRules{0.5, "NG"};
}

// Collection distance of a line's near-flashes (edition 3): rI = 2000 / UW^1.8 metres, UW in kV.
double InductionDistance(double uw) {
    return 2000.0 / std::pow(uw, 1.8);
}

FormulaUse Use(const char* symbol, const char* pattern, std::vector<FormulaInput> inputs, double value) {
    return {symbol, pattern, std::move(inputs), value};
}

}  // namespace

std::string ExpandFormula(const FormulaUse& use, const std::vector<std::string>& operands) {
    std::string text;
    for (const char* p = use.pattern; *p; p++) {
        size_t slot = static_cast<size_t>(p[1] - '0');
        if (p[0] == '{' && p[1] >= '0' && p[1] <= '9' && p[2] == '}' && slot < operands.size()) {
            text += operands[slot];
            p += 2;
        } else {
            text += *p;
        }
    }
    return text;
}

std::vector<std::string> FormulaSymbols(const FormulaUse& use) {
    std::vector<std::string> symbols;
    for (const FormulaInput& input : use.inputs)
        symbols.push_back(input.symbol);
    return symbols;
}

FlashDensity ResolveFlashDensity(const AssessmentSettings& settings) {
    FlashDensity density;
    density.edition = settings.edition;
    density.k = settings.k;
    if (settings.ng > 0.0)
        density.ng = settings.ng;
    if (settings.nsg > 0.0)
        density.nsg = settings.nsg;
    else if (settings.ng > 0.0)
        density.nsg = settings.k * settings.ng;
    return density;
}

double AmDistance(int32_t edition, double drawingDistance, double uw) {
    return edition == 3 ? 350.0 / uw : drawingDistance;
}

double InstallationFactor(int32_t edition, LineInstallation installation) {
    switch (installation) {
        case LineInstallation::Aerial: return 1.0;
        case LineInstallation::Buried: return Rules(edition).buriedCi;
        default: return 0.01;  // buried within a meshed earth-termination
    }
}

double EnvironmentFactor(LineEnvironment environment) {
    switch (environment) {
        case LineEnvironment::Rural: return 1.0;
        case LineEnvironment::Suburban: return 0.5;
        case LineEnvironment::Urban: return 0.1;
        default: return 0.01;  // urban with buildings over 20 m
    }
}

double TransformerFactor(bool transformer) {
    return transformer ? 0.2 : 1.0;
}

LineEvents ComputeLineEvents(const FlashDensity& density, const LineSettings& line, double heightProjection) {
    LineEvents events;
    int32_t edition = density.edition;
    double ll = LineLength(line);
    events.al = 40.0 * ll;
    events.formulas.push_back(Use("AL", "40 · {0}", {{"LL", ll}}, events.al));
    if (edition == 3) {
        double uw = LineWithstand(line);
        double ri = InductionDistance(uw);
        events.ai = 2.0 * ri * ll;
        events.formulas.push_back(Use("rI", "2000 / {0}^1.8", {{"UW", uw}}, ri));
        events.formulas.push_back(Use("AI", "2 · {0} · {1}", {{"rI", ri}, {"LL", ll}}, events.ai));
    } else {
        events.ai = 4000.0 * ll;
        events.formulas.push_back(Use("AI", "4000 · {0}", {{"LL", ll}}, events.ai));
    }
    const AdjacentStructure& adjacent = line.adjacent;
    if (adjacent.present) {
        double l = adjacent.length, w = adjacent.width, reach = heightProjection * adjacent.height;
        events.adj = l * w + 2.0 * reach * (l + w) + Pi * reach * reach;
        events.formulas.push_back(Use("ADJ", "{0} · {1} + 2 · {2} · {3} · ({0} + {1}) + π · ({2} · {3})^2",
                                      {{"L", l}, {"W", w}, {"K", heightProjection}, {"H", adjacent.height}},
                                      events.adj));
    }
    std::optional<double> n = density.n();
    if (!n)
        return events;
    const char* nSymbol = Rules(edition).nSymbol;
    double ci = InstallationFactor(edition, line.installation);
    double ce = EnvironmentFactor(line.environment);
    double ct = TransformerFactor(line.transformer != 0);
    events.nl = *n * events.al * ci * ce * ct * PerSquareKm;
    events.formulas.push_back(Use("NL", "{0} · {1} · {2} · {3} · {4} · 10^-6",
                                  {{nSymbol, *n}, {"AL", events.al}, {"CI", ci}, {"CE", ce}, {"CT", ct}}, *events.nl));
    if (edition == 3) {
        events.ni = *density.nsg * events.ai * ci * ce * ct * PerSquareKm / density.k;
        events.formulas.push_back(
            Use("NI", "{0} · {1} · {2} · {3} · {4} · 10^-6 / {5}",
                {{"NSG", *density.nsg}, {"AI", events.ai}, {"CI", ci}, {"CE", ce}, {"CT", ct}, {"k", density.k}},
                *events.ni));
    } else {
        events.ni = *density.ng * events.ai * ci * ce * ct * PerSquareKm;
        events.formulas.push_back(Use("NI", "{0} · {1} · {2} · {3} · {4} · 10^-6",
                                      {{"NG", *density.ng}, {"AI", events.ai}, {"CI", ci}, {"CE", ce}, {"CT", ct}},
                                      *events.ni));
    }
    events.ndj = adjacent.present ? *n * events.adj * adjacent.cdj * ct * PerSquareKm : 0.0;
    if (adjacent.present)
        events.formulas.push_back(Use("NDJ", "{0} · {1} · {2} · {3} · 10^-6",
                                      {{nSymbol, *n}, {"ADJ", events.adj}, {"CDJ", adjacent.cdj}, {"CT", ct}},
                                      *events.ndj));
    return events;
}

StructureEvents ComputeStructureEvents(const FlashDensity& density, const StructureAreas& areas,
                                       const std::vector<LineSettings>& lines) {
    StructureEvents events;
    for (const LineSettings& line : lines)
        events.lines.push_back(ComputeLineEvents(density, line, areas.heightProjection));
    std::optional<double> n = density.n();
    if (!n)
        return events;
    const char* nSymbol = Rules(density.edition).nSymbol;
    events.nd = *n * areas.ad * areas.cd * PerSquareKm;
    events.formulas.push_back(
        Use("ND", "{0} · {1} · {2} · 10^-6", {{nSymbol, *n}, {"AD", areas.ad}, {"CD", areas.cd}}, *events.nd));
    if (density.edition == 3) {
        events.nm = *density.nsg * areas.am * PerSquareKm / density.k;
        events.formulas.push_back(Use("NM", "{0} · {1} · 10^-6 / {2}",
                                      {{"NSG", *density.nsg}, {"AM", areas.am}, {"k", density.k}}, *events.nm));
    } else {
        events.nm = *density.ng * areas.am * PerSquareKm;
        events.formulas.push_back(Use("NM", "{0} · {1} · 10^-6", {{"NG", *density.ng}, {"AM", areas.am}}, *events.nm));
    }
    double nl = 0.0, ni = 0.0, ndj = 0.0;
    for (const LineEvents& line : events.lines) {
        nl += *line.nl;
        ni += *line.ni;
        ndj += *line.ndj;
    }
    events.nl = nl;
    events.ni = ni;
    events.ndj = ndj;
    return events;
}
