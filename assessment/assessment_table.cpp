#include "assessment/assessment_table.h"

#include <cstdio>
#include <cstdlib>

#include "assessment/line_words.h"

namespace {

const char* const Headings[] = {"No.",         "Name",        "Height [m]",  "Ad [m²]",     "Am [m²]",     "CD",
                                "ND [1/year]", "NM [1/year]", "NL [1/year]", "NI [1/year]", "NDJ [1/year]"};

std::string Format(const char* format, double value) {
    char text[64];
    snprintf(text, sizeof text, format, value);
    return text;
}

std::string Event(const std::optional<double>& value) {
    return value ? Format("%.3g", *value) : std::string();
}

std::string Optional(const std::optional<double>& value) {
    return value ? ExactNumber(*value) : std::string();
}

// Pads to a width counted in characters, so that names and units in UTF-8 line up.
std::string Padded(const std::string& text, size_t width) {
    size_t characters = 0;
    for (unsigned char c : text)
        characters += (c & 0xC0) != 0x80;
    return text + std::string(width > characters ? width - characters : 0, ' ');
}

std::string DensityText(const AssessmentResult& result) {
    const FlashDensity& density = result.density;
    if (density.edition == 3) {
        if (!density.nsg)
            return "NSG not given: the events are not computed (give --nsg, or --ng with --k)\n";
        std::string source = result.settings.nsg > 0.0 ? "given" : "k * NG, NG " + ExactNumber(result.settings.ng);
        return "NSG [1/km²/year]: " + ExactNumber(*density.nsg) + " (" + source + "), k: " + ExactNumber(density.k) +
               "\n";
    }
    if (!density.ng)
        return "NG not given: the events are not computed (give --ng)\n";
    return "NG [1/km²/year]: " + ExactNumber(*density.ng) + "\n";
}

}  // namespace

const char* ColumnHeading(AssessColumn column) {
    return Headings[static_cast<int>(column)];
}

// Quoted when it holds a separator, a quote or a line break, with quotes doubled.
std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (char c : text)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

std::string ExactNumber(double value) {
    char text[32];
    for (int digits = 15; digits <= 17; digits++) {
        snprintf(text, sizeof text, "%.*g", digits, value);
        if (strtod(text, nullptr) == value)
            break;
    }
    return text;
}

std::string StructureCell(const StructureResult& structure, AssessColumn column) {
    switch (column) {
        case AssessColumn::Number: return std::to_string(structure.number);
        case AssessColumn::Name: return structure.name;
        case AssessColumn::Height: return Format("%.2f", structure.height);
        default: break;
    }
    if (!structure.calculated)
        return std::string();
    const StructureEvents& events = structure.events;
    switch (column) {
        case AssessColumn::Ad: return Format("%.0f", structure.ad);
        case AssessColumn::Am: return Format("%.0f", structure.am);
        case AssessColumn::Cd:
            if (structure.cdSet)
                return ExactNumber(structure.cd) + " set (" + ExactNumber(structure.cdSuggested) + ")";
            return ExactNumber(structure.cd) + " auto";
        case AssessColumn::Nd: return Event(events.nd);
        case AssessColumn::Nm: return Event(events.nm);
        case AssessColumn::Nl: return Event(events.nl);
        case AssessColumn::Ni: return Event(events.ni);
        case AssessColumn::Ndj: return Event(events.ndj);
        default: return std::string();
    }
}

std::string AssessmentText(const AssessmentResult& result) {
    const size_t widths[] = {5, 24, 11, 12, 12, 14, 12, 12, 12, 12, 12};
    std::string text;
    for (int c = 0; c < static_cast<int>(AssessColumn::Count); c++)
        text += Padded(Headings[c], widths[c]);
    text += "\n";
    std::string failures;
    for (const StructureResult& structure : result.structures) {
        for (int c = 0; c < static_cast<int>(AssessColumn::Count); c++)
            text += Padded(StructureCell(structure, static_cast<AssessColumn>(c)), widths[c]);
        text += "\n";
        if (!structure.calculated)
            failures += "structure " + std::to_string(structure.number) + " (" + structure.name +
                        ") cannot be calculated: " + structure.error + "\n";
    }
    text += failures + "\n";
    const AssessmentSettings& settings = result.settings;
    text += settings.edition == 3 ? "edition: 3 (IEC 62305-2:2024)\n" : "edition: 2 (EN 62305-2:2012)\n";
    text += DensityText(result);
    text += "K: " + ExactNumber(result.calcOptions.heightProjection) + "\n";
    if (settings.edition == 3)
        text += "UW [kV]: " + ExactNumber(settings.uw) +
                ", AM with rM = 350 / UW = " + ExactNumber(AmDistance(3, 0.0, settings.uw)) +
                " m (a structure's own UW gives its own rM)\n";
    else
        text += "D [m]: " + ExactNumber(result.calcOptions.distanceProjection) + "\n";
    text += "CD: auto = from the surroundings; set = given, the surroundings' suggestion in brackets\n";
    for (const StructureResult& structure : result.structures)
        for (const LineSettings& line : structure.lines)
            text += "structure " + std::to_string(structure.number) + " line: " + LineSpecText(line) + "\n";
    return text;
}

std::string AssessmentCsv(const AssessmentResult& result) {
    std::string text =
        "number,name,polygons,vertices,height_m,footprint_m2,ad_m2,am_m2,am_distance_m,cd,cd_source,cd_suggested,"
        "nd,nm,nl,ni,ndj,lines,error\n";
    for (const StructureResult& s : result.structures) {
        const StructureEvents& events = s.events;
        std::string row = std::to_string(s.number) + "," + CsvField(s.name) + "," +
                          std::to_string(s.structure.polygons.size()) + "," + std::to_string(s.vertices) + "," +
                          ExactNumber(s.height) + ",";
        if (s.calculated) {
            row += ExactNumber(s.footprint) + "," + ExactNumber(s.ad) + "," + ExactNumber(s.am) + "," +
                   ExactNumber(s.amDistance) + "," + ExactNumber(s.cd) + "," + (s.cdSet ? "set" : "surroundings") +
                   "," + ExactNumber(s.cdSuggested) + "," + Optional(events.nd) + "," + Optional(events.nm) + "," +
                   Optional(events.nl) + "," + Optional(events.ni) + "," + Optional(events.ndj) + ",";
        } else {
            row += ",,,,,,,,,,,,";
        }
        row += std::to_string(s.lines.size()) + "," + CsvField(s.error) + "\n";
        text += row;
    }
    return text;
}
