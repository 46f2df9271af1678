// The one file that includes nlohmann-json. Every exception it throws is caught in this file.
#include "exchange/geojson_adapter.h"
#include "exchange/json_tree.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <cstdio>
#include <new>

#include "exchange/height_text.h"

using nlohmann::json;

namespace {

// The member of an object, or null when the value is no object or has no such member.
const json& Member(const json& value, const char* key) {
    static const json none;
    if (!value.is_object())
        return none;
    auto found = value.find(key);
    return found == value.end() ? none : *found;
}

struct EpsgRange {
    int32_t first, last;
};

// Projected systems in metres that site data comes in: UTM zones on several datums and national grids.
const EpsgRange ProjectedSystems[] = {
    {32601, 32660}, {32701, 32760},  // WGS 84 / UTM north and south
    {25828, 25838}, {3040, 3051},    // ETRS89 / UTM
    {23028, 23038},                  // ED50 / UTM
    {26701, 26722}, {26901, 26923},  // NAD27 and NAD83 / UTM
    {31466, 31469},                  // DHDN / Gauss-Krueger
    {27700, 27700}, {2154, 2154},   {2056, 2056}, {21781, 21781}, {28992, 28992}, {3035, 3035},
    {31287, 31287}, {2180, 2180},   {5514, 5514}, {3794, 3794},   {3765, 3765},   {2100, 2100},
};
const int32_t LonLatSystems[] = {4326, 4258, 4269};

bool Projected(int32_t code) {
    for (const EpsgRange& range : ProjectedSystems)
        if (code >= range.first && code <= range.last)
            return true;
    return false;
}

// The legacy crs member: {"type": "name", "properties": {"name": "urn:ogc:def:crs:EPSG::25832"}}.
bool ReadCrs(const json& crs, ImportSource* source, std::string* error) {
    if (crs.is_null())
        return true;
    const json& name = Member(Member(crs, "properties"), "name");
    if (Member(crs, "type") != "name" || !name.is_string()) {
        *error = "its crs member does not name a coordinate system";
        return false;
    }
    std::string text = name.get<std::string>();
    if (text.find("CRS84") != std::string::npos)
        return true;
    // The code is the run of up to six digits that ends the name; a name of digits alone is all code.
    size_t last = text.find_last_not_of("0123456789");
    size_t start = last == std::string::npos ? 0 : last + 1;
    int32_t code = start < text.size() && text.size() - start <= 6 ? atoi(text.c_str() + start) : 0;
    for (int32_t lonLat : LonLatSystems)
        if (code == lonLat)
            return true;
    if (code == 3857 || code == 900913 || code == 3395) {
        *error = "its coordinates are in a web Mercator (" + text.substr(0, 60) +
                 "), whose units are not metres on the ground: export the data as longitude/latitude";
        return false;
    }
    if (!Projected(code)) {
        *error = "its crs '" + text.substr(0, 60) +
                 "' is not a system this import knows: use longitude/latitude, a UTM zone or a national grid";
        return false;
    }
    source->coordinates = GeoKind::Plane;
    source->epsg = code;
    return true;
}

// A height property: a number, or a text such as "12 m". Unreadable ones are counted and skipped.
double HeightValue(const json& properties, const char* key, int32_t* unreadable) {
    const json& value = Member(properties, key);
    if (value.is_null())
        return 0.0;
    double metres = 0.0;
    if (value.is_number())
        metres = value.get<double>();
    else if (!value.is_string() || !ReadHeightText(value.get_ref<const std::string&>().c_str(), &metres))
        metres = NAN;
    if (!std::isfinite(metres) || metres <= 0.0) {
        (*unreadable)++;
        return 0.0;
    }
    return metres;
}

// Rings of [x, y] positions; the closing repeat of RFC 7946 dropped, an unclosed ring closed.
bool ReadRings(const json& coordinates, SourceFootprint* footprint) {
    if (!coordinates.is_array() || coordinates.empty())
        return false;
    for (const json& ring : coordinates) {
        if (!ring.is_array())
            return false;
        std::vector<SourcePoint> points;
        points.reserve(ring.size());
        for (const json& position : ring) {
            if (!position.is_array() || position.size() < 2 || !position[0].is_number() || !position[1].is_number())
                return false;
            points.push_back({position[0].get<double>(), position[1].get<double>()});
        }
        if (points.size() > 1 && points.front().x == points.back().x && points.front().y == points.back().y)
            points.pop_back();
        footprint->rings.push_back(std::move(points));
    }
    return true;
}

void ReadGeometry(const json& geometry, const json& properties, const std::string& label, ImportSource* source) {
    if (geometry.is_null())
        return CountSkipped(source, "features without geometry");
    const json& typeValue = Member(geometry, "type");
    std::string type = typeValue.is_string() ? typeValue.get<std::string>() : "";
    if (type != "Polygon" && type != "MultiPolygon")
        return CountSkipped(source, type.empty() ? "geometries without a type" : type.substr(0, 40));
    SourceFootprint base;
    base.heightProperty = HeightValue(properties, "height", &base.unreadableHeights);
    base.levels = HeightValue(properties, "building:levels", &base.unreadableHeights);
    const json& coordinates = Member(geometry, "coordinates");
    bool multi = type == "MultiPolygon";
    size_t parts = multi && coordinates.is_array() ? coordinates.size() : 1;
    if (parts == 0) {
        base.name = label;
        base.fault = "its MultiPolygon is empty";
        source->footprints.push_back(std::move(base));
        return;
    }
    for (size_t k = 0; k < parts; k++) {
        SourceFootprint footprint = base;
        footprint.name = parts > 1 ? label + " polygon " + std::to_string(k + 1) : label;
        if (!ReadRings(multi ? coordinates[k] : coordinates, &footprint)) {
            footprint.rings.clear();
            footprint.fault = "its coordinates are not rings of [x, y] positions";
        }
        source->footprints.push_back(std::move(footprint));
    }
}

std::string FeatureLabel(size_t index, const json& properties) {
    std::string label = "feature " + std::to_string(index + 1);
    const json& name = Member(properties, "name");
    if (name.is_string())
        label += " (" + name.get<std::string>().substr(0, 60) + ")";
    return label;
}

// Reads the features of a FeatureCollection while the document is parsed: each is taken as soon as it is
// complete and then dropped from the document, so that memory holds what was read and one feature, not
// the whole document's tree (which takes ten times the file's size).
class FeatureStream {
  public:
    explicit FeatureStream(ImportSource* source) : source(source) {}

    bool operator()(int depth, json::parse_event_t event, json& parsed) {
        using Event = json::parse_event_t;
        if (depth == 1 && event == Event::key) {
            inFeatures = false;
            featuresKey = parsed == "features";
        } else if (depth == 1 && event == Event::array_start) {
            inFeatures = featuresKey;
        } else if (inFeatures && depth == 2 &&
                   (event == Event::object_end || event == Event::array_end || event == Event::value)) {
            const json& properties = Member(parsed, "properties");
            ReadGeometry(Member(parsed, "geometry"), properties, FeatureLabel(count++, properties), source);
            return false;
        }
        return true;
    }
    size_t count = 0;

  private:
    ImportSource* source;
    bool featuresKey = false, inFeatures = false;
};

// A FeatureCollection's features were read by the stream; the rest of the document is read here.
bool ReadDocument(const json& document, ImportSource* source, std::string* error) {
    const json& typeValue = Member(document, "type");
    if (!typeValue.is_string()) {
        *error = "the file is JSON but not GeoJSON: it has no top-level type";
        return false;
    }
    if (!ReadCrs(Member(document, "crs"), source, error))
        return false;
    std::string type = typeValue.get<std::string>();
    if (type == "FeatureCollection") {
        const json& features = Member(document, "features");
        if (!features.is_array()) {
            *error = "its FeatureCollection has no features array";
            return false;
        }
        return true;
    }
    // The stream read a "features" member that is no FeatureCollection's: it is not taken.
    source->footprints.clear();
    source->skipped.clear();
    if (type == "Feature") {
        const json& properties = Member(document, "properties");
        ReadGeometry(Member(document, "geometry"), properties, FeatureLabel(0, properties), source);
    } else {
        ReadGeometry(document, json(), "geometry 1", source);
    }
    return true;
}

// "[json.exception.parse_error.101] parse error at line 1, column 5: ..." without its tag.
std::string Untagged(const json::exception& e) {
    std::string what = e.what();
    size_t tag = what.find("] ");
    return tag == std::string::npos ? what : what.substr(tag + 2);
}

}  // namespace

bool ParseGeoJson(const uint8_t* bytes, size_t size, ImportSource* source, std::string* error) {
    error->clear();
    *source = ImportSource();
    source->format = SourceFormat::GeoJson;
    source->coordinates = GeoKind::LonLat;
    try {
        json document = json::parse(bytes, bytes + size, FeatureStream(source));
        if (ReadDocument(document, source, error)) {
            source->unitName = source->coordinates == GeoKind::LonLat
                                   ? "longitude/latitude, projected to metres"
                                   : "metres (EPSG:" + std::to_string(source->epsg) + ")";
            return true;
        }
    } catch (const json::parse_error& e) {
        *error = "the file is not valid JSON: " + Untagged(e);
    } catch (const json::exception& e) {  // a number too large for a double, and the like
        *error = "the file cannot be read as GeoJSON: " + Untagged(e);
    } catch (const std::bad_alloc&) {
        *error = "the file needs more memory than there is";
    } catch (const std::exception& e) {
        *error = std::string("the file cannot be read as GeoJSON: ") + e.what();
    }
    *source = ImportSource();
    return false;
}

namespace {

template <typename Json>
Json Ring(const std::vector<PlanePoint>& points) {
    Json ring = Json::array();
    for (const PlanePoint& p : points)
        ring.push_back({p.x, p.y});
    if (!points.empty())
        ring.push_back({points.front().x, points.front().y});
    return ring;
}

// Templates over the two kinds of document: the sorted one of the outlines, whose bytes stay as they
// were, and the ordered one of the assessment.
template <typename Json>
Json Collection(bool lonLat, int32_t epsg) {
    Json collection = {{"type", "FeatureCollection"}, {"features", Json::array()}};
    if (!lonLat && epsg > 0)
        collection["crs"] = {{"type", "name"},
                             {"properties", {{"name", "urn:ogc:def:crs:EPSG::" + std::to_string(epsg)}}}};
    return collection;
}

template <typename Json>
Json MultiPolygon(const OutlineRegion& region) {
    Json polygons = Json::array();
    for (const OutlinePolygon& polygon : region.polygons) {
        Json rings = Json::array({Ring<Json>(polygon.outer)});
        for (const std::vector<PlanePoint>& hole : polygon.holes)
            rings.push_back(Ring<Json>(hole));
        polygons.push_back(std::move(rings));
    }
    return {{"type", "MultiPolygon"}, {"coordinates", std::move(polygons)}};
}

// nlohmann's object keeps its keys sorted; the ordered kind keeps them as the writer added them.
nlohmann::ordered_json Ordered(const JsonValue& value) {
    using Kind = JsonValue::Kind;
    switch (value.kind) {
        case Kind::Null: return nullptr;
        case Kind::Boolean: return value.boolean;
        case Kind::Integer: return value.integer;
        case Kind::Number: return std::isfinite(value.number) ? nlohmann::ordered_json(value.number) : nullptr;
        case Kind::Text: return value.text;
        case Kind::Array: {
            nlohmann::ordered_json list = nlohmann::ordered_json::array();
            for (const JsonValue& item : value.items)
                list.push_back(Ordered(item));
            return list;
        }
        case Kind::Object: {
            nlohmann::ordered_json object = nlohmann::ordered_json::object();
            for (const auto& member : value.members)
                object[member.first] = Ordered(member.second);
            return object;
        }
    }
    return nullptr;
}

}  // namespace

std::string EncodeOutlinesGeoJson(const std::vector<OutlineRegion>& regions, bool lonLat, int32_t epsg) {
    json collection = Collection<json>(lonLat, epsg);
    for (const OutlineRegion& region : regions)
        collection["features"].push_back({{"type", "Feature"},
                                          {"properties", {{"region", region.name}, {"area_km2", region.areaKm2}}},
                                          {"geometry", MultiPolygon<json>(region)}});
    return collection.dump() + "\n";
}

// Names may hold bytes that are not UTF-8 (drawings older than the import); those are replaced rather
// than refused, so that the rest of the output is still written.
std::string EncodeJson(const JsonValue& value) {
    return Ordered(value).dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

std::string EncodeFeaturesGeoJson(const std::vector<OutlineRegion>& regions, const std::vector<JsonValue>& properties,
                                  bool lonLat, int32_t epsg) {
    nlohmann::ordered_json collection = Collection<nlohmann::ordered_json>(lonLat, epsg);
    for (size_t i = 0; i < regions.size(); i++) {
        nlohmann::ordered_json feature = {{"type", "Feature"}};
        feature["properties"] = i < properties.size() ? Ordered(properties[i]) : nlohmann::ordered_json::object();
        feature["geometry"] = MultiPolygon<nlohmann::ordered_json>(regions[i]);
        collection["features"].push_back(std::move(feature));
    }
    return collection.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}
