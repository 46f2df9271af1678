#include "report/report_formulas.h"

#include "report/report_numbers.h"

namespace {

bool IsArea(const std::string& symbol) {
    return !symbol.empty() && symbol[0] == 'A';
}
bool IsEvents(const std::string& symbol) {
    return !symbol.empty() && symbol[0] == 'N' && symbol != "NG" && symbol != "NSG";
}

std::string Value(const std::string& symbol, double value) {
    if (IsArea(symbol))
        return GroupedNumber(value, 0);
    if (IsEvents(symbol))
        return EventsNumber(value);
    return PlainNumber(value);
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
                                      line.length > 0.0
                                          ? "LL = " + PlainNumber(line.length) + " m"
                                          : "length unknown, LL = " + PlainNumber(LineLength(line)) + " m",
                                      kEnvironmentWords[int(line.environment)],
                                      line.transformer ? "HV/LV transformer at the entrance" : "no transformer"};
    parts.push_back("UW = " + PlainNumber(LineWithstand(line)) + " kV");
    if (line.adjacent.present) {
        parts.push_back("adjacent structure " + PlainNumber(line.adjacent.length) + " × " +
                        PlainNumber(line.adjacent.width) + " m, " + PlainNumber(line.adjacent.height) +
                        " m high, CDJ = " + PlainNumber(line.adjacent.cdj));
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
    lines.push_back("AD = " + GroupedNumber(structure.ad, 0) + " m² (graphic method, K = " + PlainNumber(k) + ", H = " +
                    PlainNumber(structure.height) + " m, K · H = " + PlainNumber(k * structure.height) + " m)");
    std::string distance = result.density.edition == 3 ? "rM = 350 / UW = 350 / " + PlainNumber(structure.uw) + " = " +
                                                             PlainNumber(structure.amDistance) + " m"
                                                       : "D = " + PlainNumber(structure.amDistance) + " m";
    lines.push_back("AM = " + GroupedNumber(structure.am, 0) + " m² (graphic method, " + distance +
                    ", less the footprint of " + GroupedNumber(structure.footprint, 0) + " m²)");
    lines.push_back("CD = " + PlainNumber(structure.cd) +
                    (structure.cdSet ? " (set; the surroundings suggest " + PlainNumber(structure.cdSuggested) + ")"
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
