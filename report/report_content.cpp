#include "report/report_content.h"

#include <algorithm>
#include <cstdio>

#include "report/report_formulas.h"
#include "report/report_numbers.h"
#include "report/site_plan.h"
#include "text/ui_texts.h"

namespace {

constexpr double kSitePlanHeightMm = 150.0;

std::string Events(const std::optional<double>& value) {
    return value ? EventsNumber(*value) : "–";
}

TableSpec LabelledValues(const std::vector<std::pair<std::string, std::string>>& rows) {
    TableSpec table;
    table.columns = {{"", 45.0, TextAlign::left}, {"", kContentWidthMm - 45.0, TextAlign::left}};
    table.header = false;
    table.sizePt = 9.0;
    for (const auto& row : rows)
        table.rows.push_back({{row.first, row.second}});
    return table;
}

std::string EditionText(int32_t edition) {
    return edition == 3 ? "IEC 62305-2:2024 (edition 3)" : "EN 62305-2:2012 (edition 2)";
}

void TitleBlock(const ReportInput& input, PageFlow* flow) {
    flow->Title(kReportTitle);
    flow->Space(2.0);
    const ReportSignatures& s = input.signatures;
    flow->Table(LabelledValues({{"Drawing", input.fileName},
                                {"Date and time", input.dateTime},
                                {"Program", TEXT_PROGRAM_TITLE},
                                {"Edition", EditionText(input.assessment->density.edition)},
                                {"Project", s.project},
                                {"Author", s.author},
                                {"Checker", s.checker}}));
}

void Settings(const ReportInput& input, PageFlow* flow) {
    const AssessmentResult& a = *input.assessment;
    const FlashDensity& density = a.density;
    std::vector<std::pair<std::string, std::string>> rows;
    rows.push_back({"K (height projection)", PlainNumber(a.calcOptions.heightProjection)});
    if (density.edition == 3) {
        rows.push_back({"rM", "350 / UW = 350 / " + PlainNumber(a.settings.uw) + " = " +
                                  PlainNumber(AmDistance(3, 0, a.settings.uw)) + " m (per structure with its own UW)"});
        std::string nsg = !density.nsg ? "not given"
                          : a.settings.nsg > 0.0
                              ? PlainNumber(*density.nsg) + " per km² per year (given)"
                              : PlainNumber(*density.nsg) + " per km² per year (k · NG = " + PlainNumber(density.k) +
                                    " · " + PlainNumber(density.ng.value_or(0.0)) + ")";
        rows.push_back({"NSG", nsg});
        rows.push_back({"k", PlainNumber(density.k)});
        rows.push_back({"UW", PlainNumber(a.settings.uw) + " kV"});
    } else {
        rows.push_back({"D (distance projection)", PlainNumber(a.calcOptions.distanceProjection) + " m"});
        rows.push_back({"NG", density.ng ? PlainNumber(*density.ng) + " flashes per km² per year" : "not given"});
    }
    rows.push_back({"Footprints", input.footprintSource});
    rows.push_back({"Structures", std::to_string(a.structures.size())});
    flow->Heading("Settings");
    flow->Table(LabelledValues(rows));
}

SitePlan PlanOf(const ReportInput& input) {
    SitePlan plan;
    const PolygonStore& polygons = input.drawing->polygons;
    for (int32_t i = 0; i < polygons.count(); ++i) {
        const PolygonRecord& polygon = polygons.polygon(i);
        plan.footprints.emplace_back();
        for (int32_t v = 0; v < polygon.vertexCount; ++v)
            plan.footprints.back().push_back({polygon.x[v], polygon.y[v]});
    }
    bool several = input.assessment->structures.size() > 1;
    const CalcResult& whole = *input.whole;
    for (int32_t c = 0; c < whole.contourCount; ++c) {
        if (several)
            break;
        (whole.adFlags[c] ? plan.adOutlines : plan.amOutlines).push_back(whole.contours[c]);
    }
    if (several)
        for (const StructureResult& s : input.assessment->structures)
            if (!s.adOutline.empty())
                plan.structureAdOutlines.push_back(s.adOutline);
    for (const StructureResult& s : input.assessment->structures) {
        const std::vector<Point>& first = plan.footprints[s.structure.polygons.front()];
        Point centre{0.0, 0.0};
        for (const Point& p : first)
            centre = {centre.x + p.x / first.size(), centre.y + p.y / first.size()};
        plan.labels.push_back({centre, std::to_string(s.number)});
    }
    plan.northUp = input.drawing->georeference.present != 0;
    return plan;
}

void SitePlanSection(const ReportInput& input, PageFlow* flow) {
    // the plan takes the rest of the page when that is not much less than its full height
    constexpr double kHeadingMm = 20.0;
    double height = std::min(kSitePlanHeightMm, flow->RemainingMm() - kHeadingMm);
    if (height < kSitePlanHeightMm * 0.7)
        height = kSitePlanHeightMm;
    flow->KeepTogether(height + kHeadingMm);
    flow->Heading("Site plan");
    bool several = input.assessment->structures.size() > 1;
    flow->Paragraph(several ? "Footprints (grey) with the number of each structure, and each structure's "
                              "collection area Ad (orange outline)."
                            : "Footprint (grey), collection area Ad (orange) and Am (blue).",
                    8.0);
    double top = 0.0;
    Page& page = flow->Figure(height, &top);
    double denominator = DrawSitePlan(PlanOf(input), kMarginMm, top + 2.0, kContentWidthMm, height - 2.0, &page);
    if (denominator > 0.0) {
        page.texts.push_back({{kPageWidthMm / 2.0, top + height - 1.0},
                              7.0,
                              false,
                              TextAlign::centre,
                              "Scale 1 : " + GroupedNumber(denominator, 0) + " on A4"});
    }
}

std::string CdCell(const StructureResult& s) {
    return PlainNumber(s.cd) + (s.cdSet ? " set" : " auto");
}

void Results(const ReportInput& input, PageFlow* flow) {
    flow->Heading("Results");
    TableSpec table;
    table.sizePt = 7.0;
    table.columns = {
        {"No.", 8, TextAlign::right},      {"Name", 30, TextAlign::left},     {"Height [m]", 13, TextAlign::right},
        {"Ad [m²]", 17, TextAlign::right}, {"Am [m²]", 20, TextAlign::right}, {"CD", 18, TextAlign::left},
        {"ND", 13.6, TextAlign::right},    {"NM", 13.6, TextAlign::right},    {"NL", 13.6, TextAlign::right},
        {"NI", 13.6, TextAlign::right},    {"NDJ", 13.6, TextAlign::right}};
    for (const StructureResult& s : input.assessment->structures) {
        if (!s.calculated) {
            table.rows.push_back({{std::to_string(s.number), s.name + " (not calculated: " + s.error + ")"}});
            continue;
        }
        const StructureEvents& e = s.events;
        table.rows.push_back({{std::to_string(s.number), s.name, GroupedNumber(s.height, 2), GroupedNumber(s.ad, 0),
                               GroupedNumber(s.am, 0), CdCell(s), Events(e.nd), Events(e.nm), Events(e.nl),
                               Events(e.ni), Events(e.ndj)}});
    }
    const CalcResult& whole = *input.whole;
    if (whole.contourCount > 0) {
        table.rows.push_back(
            {{"", "Whole drawing", "", GroupedNumber(whole.ad * 1e6, 0), GroupedNumber(whole.am * 1e6, 0)}, true});
    }
    flow->Table(table);
    flow->Paragraph(
        "Areas in m², events per year. CD auto: suggested by the surroundings; set: given for the structure. "
        "A dash: not computed, since no flash density was given. "
        "The whole drawing's areas are those of the union of all footprints.",
        7.5);
}

void Derivations(const ReportInput& input, PageFlow* flow) {
    flow->Heading("How each number was found");
    for (const StructureResult& s : input.assessment->structures) {
        flow->Paragraph("Structure " + std::to_string(s.number) + ": " + s.name, 9.0, true);
        for (const std::string& line : StructureDerivation(*input.assessment, s))
            flow->Paragraph(line, 8.0);
        flow->Space(1.5);
    }
}

void Method(PageFlow* flow) {
    flow->Heading("Method");
    flow->Paragraph(
        "Ad is found by the graphic method: around each vertex of the footprint a disc of radius K · h, with h "
        "the vertex's height, and between the discs of each edge's two vertices the band that joins them; Ad is "
        "the area of the union of the footprint, the discs and the bands. Am is found the same way with the "
        "distance D (edition 2) or rM = 350 / UW (edition 3) in place of K · h, less the footprint. Each circle "
        "is a polygon of 2501 points, whose area is 2.4·10^-5 short of the exact circle's; the areas are exact "
        "to about 1·10^-4 of their value.",
        8.5);
    flow->Paragraph(
        "Polygons that overlap or touch form one structure, numbered by its lowest polygon and named after it; "
        "each structure is calculated alone. CD is 1 when no other structure stands within K · H of the "
        "footprint (H the structure's greatest height), 0.25 when higher structures stand on at least 6 of 8 "
        "sides of 45°, and 0.5 otherwise, unless a value was set for the structure.",
        8.5);
}

}  // namespace

std::string FootprintSourceOf(const Drawing& drawing) {
    const Georeference& g = drawing.georeference;
    if (!g.present)
        return "drawn";
    char text[160];
    if (g.kind == GeoKind::LonLat) {
        std::snprintf(text, sizeof text,
                      "imported from longitude/latitude, projected by a local transverse Mercator about %.6f°, %.6f°",
                      g.originLongitude, g.originLatitude);
    } else if (g.epsg != 0) {
        std::snprintf(text, sizeof text, "imported from plane coordinates, EPSG:%d", int(g.epsg));
    } else {
        std::snprintf(text, sizeof text, "imported from plane coordinates, %g m per unit", g.unitScale);
    }
    return text;
}

PageDescription BuildReport(const ReportInput& input, const TextWidthFn& width) {
    PageFlow flow(width);
    TitleBlock(input, &flow);
    Settings(input, &flow);
    SitePlanSection(input, &flow);
    Results(input, &flow);
    Derivations(input, &flow);
    Method(&flow);
    return flow.Finish(input.fileName + " · " + input.dateTime);
}
