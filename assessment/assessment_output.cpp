#include "assessment/assessment_output.h"

#include "assessment/line_words.h"
#include "exchange/json_tree.h"
#include "exchange/outline_export.h"

namespace {

JsonValue OrNull(const std::optional<double>& value) {
    return value ? JsonValue(*value) : JsonValue();
}

JsonValue IfCalculated(const StructureResult& structure, double value) {
    return structure.calculated ? JsonValue(value) : JsonValue();
}

JsonValue LineObject(const LineSettings& line, const LineEvents& events) {
    JsonValue object = JsonValue::Object();
    object.add("kind", LineKindWord(line.kind))
        .add("installation", LineInstallationWord(line.installation))
        .add("length_m", LineLength(line))
        .add("length_known", line.length > 0.0)
        .add("environment", LineEnvironmentWord(line.environment))
        .add("transformer", line.transformer != 0)
        .add("uw_kv", LineWithstand(line));
    JsonValue adjacent;
    if (line.adjacent.present) {
        adjacent = JsonValue::Object();
        adjacent.add("length_m", line.adjacent.length)
            .add("width_m", line.adjacent.width)
            .add("height_m", line.adjacent.height)
            .add("cdj", line.adjacent.cdj);
    }
    object.add("adjacent", adjacent)
        .add("al_m2", events.al)
        .add("ai_m2", events.ai)
        .add("adj_m2", events.adj)
        .add("nl", OrNull(events.nl))
        .add("ni", OrNull(events.ni))
        .add("ndj", OrNull(events.ndj));
    return object;
}

// The values of a structure's row; the JSON output adds its lines, the GeoJSON output its geometry.
JsonValue RowObject(const StructureResult& s) {
    JsonValue row = JsonValue::Object();
    row.add("index", s.number)
        .add("name", s.name)
        .add("polygons", static_cast<int>(s.structure.polygons.size()))
        .add("vertices", s.vertices)
        .add("height", s.height)
        .add("footprint_m2", IfCalculated(s, s.footprint))
        .add("ad_m2", IfCalculated(s, s.ad))
        .add("am_m2", IfCalculated(s, s.am))
        .add("am_distance_m", s.amDistance)
        .add("cd", s.cd)
        .add("cd_source", s.cdSet ? "set" : "surroundings")
        .add("cd_suggested", s.cdSuggested)
        .add("nd", OrNull(s.events.nd))
        .add("nm", OrNull(s.events.nm))
        .add("nl", OrNull(s.events.nl))
        .add("ni", OrNull(s.events.ni))
        .add("ndj", OrNull(s.events.ndj));
    if (!s.calculated)
        row.add("error", s.error);
    return row;
}

}  // namespace

std::string AssessmentJson(const AssessmentResult& result) {
    const AssessmentSettings& settings = result.settings;
    JsonValue document = JsonValue::Object();
    document.add("edition", settings.edition)
        .add("ng", OrNull(result.density.ng))
        .add("nsg", settings.edition == 3 ? OrNull(result.density.nsg) : JsonValue())
        .add("k", settings.k)
        .add("uw", settings.uw)
        .add("k_height", result.calcOptions.heightProjection)
        .add("d", result.calcOptions.distanceProjection);
    JsonValue structures = JsonValue::Array();
    for (const StructureResult& s : result.structures) {
        JsonValue row = RowObject(s);
        JsonValue lines = JsonValue::Array();
        for (size_t i = 0; i < s.lines.size(); i++) {
            // A structure that was not calculated has its lines' inputs but no results.
            static const LineEvents none;
            lines.push(LineObject(s.lines[i], i < s.events.lines.size() ? s.events.lines[i] : none));
        }
        row.add("lines", std::move(lines));
        structures.push(std::move(row));
    }
    document.add("structures", std::move(structures));
    return EncodeJson(document) + "\n";
}

bool AssessmentGeoJson(const Drawing& source, const AssessmentResult& result, std::string* text) {
    std::vector<OutlineRegion> regions;
    std::vector<JsonValue> properties;
    for (const StructureResult& s : result.structures) {
        Drawing alone;
        alone.georeference = source.georeference;
        for (int32_t index : s.structure.polygons)
            alone.polygons.appendPolygon(source.polygons.polygon(index));
        OutlineRegion region;
        if (!FootprintRegion(alone, "footprint", &region))
            return false;
        regions.push_back(std::move(region));
        properties.push_back(RowObject(s));
    }
    const Georeference& georeference = source.georeference;
    bool lonLat = georeference.present && georeference.kind == GeoKind::LonLat;
    *text = EncodeFeaturesGeoJson(regions, properties, lonLat, georeference.present ? georeference.epsg : 0);
    return true;
}
