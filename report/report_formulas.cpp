#include "report/report_formulas.h"

#include <cmath>
#include <cstdio>

#include "report/report_numbers.h"

namespace {

bool IsArea(const std::string& symbol) {
    return !symbol.empty() && symbol[0] == 'A';
}
bool IsEvents(const std::string& symbol) {
    return !symbol.empty() && symbol[0] == 'N' && symbol != "NG" && symbol != "NSG";
}

// A plain input (a factor, a length, a density) to at most six significant digits.
std::string Plain(double value) {
    if (value >= 1000.0)
        return GroupedNumber(value, value == std::floor(value) ? 0 : 1);
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", value);
    return text;
}

std::string Value(const std::string& symbol, double value) {
    if (IsArea(symbol))
        return GroupedNumber(value, 0);
    if (IsEvents(symbol))
        return EventsNumber(value);
    return Plain(value);
}

std::string Join(const std::vector<std::string>& parts, const char* separator) {
    std::string joined;
    for (size_t i = 0; i < parts.size(); ++i)
        joined += (i ? separator : "") + parts[i];
    return joined;
}

const char* const kKindWords[] = {"power", "telecom"};
const char* const kInstallationWords[] = {"aerial", "buried", "buried within a meshed earth-termination"};
const char* const kEnvironmentWords[] = {"rural", "suburban", "urban", "urban with buildings over 20 m"};

std::string LineDescription(size_t index, const LineSettings& line) {
    std::vector<std::string> parts = {kKindWords[int(line.kind)], kInstallationWords[int(line.installation)],
                                      line.length > 0.0 ? "LL = " + Plain(line.length) + " m"
                                                        : "length unknown, LL = " + Plain(LineLength(line)) + " m",
                                      kEnvironmentWords[int(line.environment)],
                                      line.transformer ? "HV/LV transformer at the entrance" : "no transformer"};
    parts.push_back("UW = " + Plain(LineWithstand(line)) + " kV");
    if (line.adjacent.present) {
        parts.push_back("adjacent structure " + Plain(line.adjacent.length) + " × " + Plain(line.adjacent.width) +
                        " m, " + Plain(line.adjacent.height) + " m high, CDJ = " + Plain(line.adjacent.cdj));
    }
    return "Line " + std::to_string(index + 1) + ": " + Join(parts, ", ");
}

}  // namespace

std::string FormulaLine(const FormulaUse& use) {
    std::vector<std::string> values;
    for (const FormulaInput& input : use.inputs)
        values.push_back(Value(input.symbol, input.value));
    return std::string(use.symbol) + " = " + ExpandFormula(use, FormulaSymbols(use)) + " = " +
           ExpandFormula(use, values) + " = " + Value(use.symbol, use.value) + (IsArea(use.symbol) ? " m²" : "");
}

std::vector<std::string> StructureDerivation(const AssessmentResult& result, const StructureResult& structure) {
    std::vector<std::string> lines;
    if (!structure.calculated) {
        lines.push_back("Not calculated: " + structure.error);
        return lines;
    }
    const double k = result.calcOptions.heightProjection;
    lines.push_back("AD = " + GroupedNumber(structure.ad, 0) + " m² (graphic method, K = " + Plain(k) +
                    ", H = " + Plain(structure.height) + " m, K · H = " + Plain(k * structure.height) + " m)");
    std::string distance = result.density.edition == 3 ? "rM = 350 / UW = 350 / " + Plain(structure.uw) + " = " +
                                                             Plain(structure.amDistance) + " m"
                                                       : "D = " + Plain(structure.amDistance) + " m";
    lines.push_back("AM = " + GroupedNumber(structure.am, 0) + " m² (graphic method, " + distance +
                    ", less the footprint of " + GroupedNumber(structure.footprint, 0) + " m²)");
    lines.push_back("CD = " + Plain(structure.cd) +
                    (structure.cdSet ? " (set; the surroundings suggest " + Plain(structure.cdSuggested) + ")"
                                     : " (from the surroundings)"));
    for (const FormulaUse& use : structure.events.formulas)
        lines.push_back(FormulaLine(use));
    if (!result.density.n())
        lines.push_back("ND and NM are not given: no flash density was set.");
    for (size_t i = 0; i < structure.lines.size() && i < structure.events.lines.size(); ++i) {
        lines.push_back(LineDescription(i, structure.lines[i]));
        for (const FormulaUse& use : structure.events.lines[i].formulas)
            lines.push_back("    " + FormulaLine(use));
    }
    if (structure.lines.size() > 1 && result.density.n()) {
        lines.push_back("Sums over the lines: NL = " + EventsNumber(structure.events.nl.value_or(0.0)) +
                        ", NI = " + EventsNumber(structure.events.ni.value_or(0.0)) +
                        ", NDJ = " + EventsNumber(structure.events.ndj.value_or(0.0)));
    }
    return lines;
}
