#include "exchange/import_build.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "engine/checks/polygon_checks.h"
#include "engine/run/calc_records.h"
#include "exchange/arc_tessellation.h"
#include "exchange/courtyard_split.h"
#include "exchange/footprint_checks.h"
#include "exchange/geodesy.h"
#include "model/height_limit.h"

namespace {

constexpr double CoordinateLimit = 1e8;  // metres; farther is no building on Earth
constexpr double MaxExtent = 200000.0;   // metres; a local plane and the map's scroll range end there

using Ring = std::vector<CalcVertex>;

struct HeightChoice {
    bool found = false;
    HeightSource source = HeightSource::Default;
    double value = 0.0;
};

bool LayerKept(const ImportSettings& settings, const SourceFootprint& footprint) {
    return settings.layers.empty() ||
           std::find(settings.layers.begin(), settings.layers.end(), footprint.layer) != settings.layers.end();
}

// The first usable source in the order of HeightSource; a value below the least height is no height.
// Thickness, elevation and z are lengths of the drawing, in its units. A value above the limit, even
// one that overflowed in scaling, is taken, so that the footprint is refused with it, never skipped.
HeightChoice ChooseHeight(const ImportSource& source, const SourceFootprint& footprint,
                          const ImportSettings& settings) {
    const std::pair<HeightSource, double> candidates[] = {
        {HeightSource::Thickness, std::fabs(footprint.thickness) * source.unitScale},
        {HeightSource::Elevation, footprint.elevation * source.unitScale},
        {HeightSource::HeightProperty, footprint.heightProperty},
        {HeightSource::Levels, footprint.levels * settings.levelHeight},
        {HeightSource::Default, settings.defaultHeight},
    };
    if (footprint.vertexHeights)
        return {true, HeightSource::VertexZ, 0.0};
    for (const auto& [source, value] : candidates)
        if (value >= MinHeight)
            return {true, source, value};
    return {};
}

struct Bounds {
    double minX = INFINITY, minY = INFINITY, maxX = -INFINITY, maxY = -INFINITY;
    void add(double x, double y) {
        minX = std::min(minX, x), maxX = std::max(maxX, x);
        minY = std::min(minY, y), maxY = std::max(maxY, y);
    }
    bool empty() const { return !(minX <= maxX); }
};

// The projection's origin: the middle of every position that is a longitude/latitude at all.
LocalPlane PlaneOfData(const ImportSource& source, const ImportSettings& settings) {
    Bounds bounds;
    for (const SourceFootprint& footprint : source.footprints)
        if (LayerKept(settings, footprint))
            for (const auto& ring : footprint.rings)
                for (const SourcePoint& p : ring)
                    if (std::fabs(p.x) <= 180.0 && std::fabs(p.y) <= 90.0)
                        bounds.add(p.x, p.y);
    if (bounds.empty())
        return {0.0, 0.0};
    return {(bounds.minX + bounds.maxX) / 2.0, (bounds.minY + bounds.maxY) / 2.0};
}

std::string HeightAboveLimit(const char* what, double metres) {
    char text[160];
    snprintf(text, sizeof text, "%s %.6g m is above %.0f m, the most a vertex can have", what, metres, MaxVertexHeight);
    return text;
}

// One ring in metres on the local plane (y north), arcs made straight, heights attached.
std::string LocalRing(const ImportSource& source, const LocalPlane& plane, const std::vector<SourcePoint>& ring,
                      const HeightChoice& height, Ring* local) {
    std::vector<Point> points(ring.size());
    for (size_t i = 0; i < ring.size(); i++) {
        const SourcePoint& p = ring[i];
        if (!std::isfinite(p.x) || !std::isfinite(p.y))
            return "a coordinate is not a finite number";
        if (source.coordinates == GeoKind::LonLat) {
            if (std::fabs(p.x) > 180.0 || std::fabs(p.y) > 90.0) {
                char text[120];
                snprintf(text, sizeof text, "position (%.10g, %.10g) is not a longitude/latitude", p.x, p.y);
                return text;
            }
            if (!ProjectToPlane(plane, p.x, p.y, &points[i].x, &points[i].y))
                return "a position cannot be projected";
        } else {
            points[i] = {p.x * source.unitScale, p.y * source.unitScale};
            if (!(std::fabs(points[i].x) < CoordinateLimit && std::fabs(points[i].y) < CoordinateLimit))
                return "a coordinate lies beyond 100000 km";
        }
    }
    bool z = height.source == HeightSource::VertexZ;
    for (size_t i = 0; z && i < ring.size(); i++)
        if (!(ring[i].z * source.unitScale <= MaxVertexHeight))
            return HeightAboveLimit(("the z of vertex " + std::to_string(i + 1)).c_str(), ring[i].z * source.unitScale);
    for (size_t i = 0; i < ring.size(); i++) {
        size_t next = (i + 1) % ring.size();
        double h0 = z ? ring[i].z * source.unitScale : height.value;
        double h1 = z ? ring[next].z * source.unitScale : height.value;
        local->push_back({points[i].x, points[i].y, h0});
        std::vector<Point> arc;
        AppendArcPoints(points[i], points[next], ring[i].bulge, MaxChordError, &arc);
        for (size_t k = 0; k < arc.size(); k++)  // heights change linearly along the arc as along an edge
            local->push_back({arc[k].x, arc[k].y, h0 + (h1 - h0) * (k + 1) / (arc.size() + 1)});
    }
    return "";
}

// The simple polygons of one footprint on the local plane, or why it cannot be imported.
std::string FootprintPolygons(const ImportSource& source, const LocalPlane& plane, const SourceFootprint& footprint,
                              const HeightChoice& height, std::vector<Ring>* polygons) {
    if (!footprint.fault.empty())
        return footprint.fault;
    if (!height.found)
        return "it has no height and no default height was given";
    static const char* const HeightNames[] = {"its vertex z", "its thickness",       "its elevation",
                                              "its height",   "its building:levels", "the default height"};
    if (height.source != HeightSource::VertexZ && !(height.value <= MaxVertexHeight))
        return HeightAboveLimit(HeightNames[static_cast<int>(height.source)], height.value);
    std::vector<Ring> rings(footprint.rings.size());
    for (size_t r = 0; r < rings.size(); r++) {
        std::string fault = LocalRing(source, plane, footprint.rings[r], height, &rings[r]);
        if (fault.empty()) {
            MergeCloseVertices(&rings[r]);
            fault = FootprintFault(rings[r]);
        }
        if (!fault.empty())
            return r == 0 ? fault : "courtyard " + std::to_string(r) + ": " + fault;
    }
    if (rings.size() == 1) {
        polygons->push_back(std::move(rings[0]));
        return "";
    }
    std::vector<std::vector<Point>> outlines, pieces;
    for (const Ring& ring : rings) {
        outlines.emplace_back();
        for (const CalcVertex& v : ring)
            outlines.back().push_back({v.x, v.y});
    }
    std::string fault = SplitCourtyards(outlines, &pieces);
    for (const std::vector<Point>& piece : pieces) {
        Ring part;
        for (const Point& p : piece)
            part.push_back({p.x, p.y, height.value});
        MergeCloseVertices(&part);
        if (fault.empty() && !(fault = FootprintFault(part)).empty())
            fault = "a part between its courtyards fails: " + fault;
        polygons->push_back(std::move(part));
    }
    return fault;
}

std::string NothingFoundText(const ImportSource& source) {
    std::string text = source.format == SourceFormat::Dxf
                           ? "the file has no closed LWPOLYLINE or POLYLINE in its model space"
                           : "the file has no Polygon or MultiPolygon geometry";
    std::string skipped;
    for (const SkippedCount& s : source.skipped)
        skipped += (skipped.empty() ? "" : ", ") + std::to_string(s.count) + " " + s.kind;
    return skipped.empty() ? text : text + " (skipped: " + skipped + ")";
}

// A footprint that passed its checks on the local plane, as one or more simple polygons.
struct KeptFootprint {
    std::string name;
    HeightSource heightSource;
    int32_t unreadableHeights;
    std::vector<Ring> polygons;
};

// The fault of a footprint's polygons where they are placed: a whole-metre shift rounds coordinates
// that are far apart in size, which can make a sliver's vertices collinear or two of them equal.
std::string PlacedFault(const std::vector<Ring>& polygons, const Georeference& geo, std::vector<Ring>* placed) {
    for (const Ring& ring : polygons) {
        placed->emplace_back();
        for (const CalcVertex& v : ring) {
            PlanePoint p = PlaneToDrawing(geo, {v.x, v.y});
            placed->back().push_back({p.x, p.y, v.height});
        }
        std::string fault = FootprintFault(placed->back());
        if (!fault.empty())
            return polygons.size() > 1 ? "a part between its courtyards fails: " + fault : fault;
    }
    return "";
}

// Shifts the polygons into the map with a margin around them, whole metres of shift so that the
// drawing's coordinates keep the source's decimals, and turns y over so that north is up on screen.
// A footprint that fails its checks once shifted joins the failures.
void Place(const std::vector<KeptFootprint>& kept, ImportResult* result) {
    Bounds bounds;
    for (const KeptFootprint& footprint : kept)
        for (const Ring& ring : footprint.polygons)
            for (const CalcVertex& v : ring)
                bounds.add(v.x, v.y);
    result->width = bounds.maxX - bounds.minX;
    result->height = bounds.maxY - bounds.minY;
    double extent = std::max(result->width, result->height);
    if (extent > MaxExtent) {
        char text[160];
        snprintf(text, sizeof text, "the footprints spread over %.0f km; at most %.0f km can be one drawing",
                 extent / 1000.0, MaxExtent / 1000.0);
        result->refusal = text;
        return;
    }
    double margin = std::max(10.0, std::ceil(0.05 * extent));
    Georeference& geo = result->georeference;
    geo.shiftX = margin - std::floor(bounds.minX);
    geo.shiftY = margin + std::ceil(bounds.maxY);
    result->mapSize = std::ceil(std::max(bounds.maxX + geo.shiftX, geo.shiftY - bounds.minY) + margin);
    for (const KeptFootprint& footprint : kept) {
        std::vector<Ring> placed;
        std::string fault = PlacedFault(footprint.polygons, geo, &placed);
        if (!fault.empty()) {
            result->failures.push_back({footprint.name, fault});
            continue;
        }
        result->footprints++;
        result->heightSources[static_cast<int>(footprint.heightSource)]++;
        result->unreadableHeights += footprint.unreadableHeights;
        for (size_t i = 0; i < placed.size(); i++) {
            std::string name = footprint.name;
            if (placed.size() > 1)
                name += " part " + std::to_string(i + 1);
            PolygonRecord polygon;
            SetPolygonName(&polygon, name.c_str());
            std::vector<double> x, y, h;
            for (const CalcVertex& v : placed[i]) {
                x.push_back(v.x);
                y.push_back(v.y);
                h.push_back(v.height);
            }
            SetPolygonVertices(&polygon, x.data(), y.data(), h.data(), static_cast<int32_t>(x.size()));
            result->vertices += polygon.vertexCount;
            result->polygons.push_back(std::move(polygon));
        }
    }
}

}  // namespace

bool NeedsDefaultHeight(const ImportSource& source, const ImportSettings& settings) {
    ImportSettings withoutDefault = settings;
    withoutDefault.defaultHeight = 0.0;
    for (const SourceFootprint& footprint : source.footprints)
        if (LayerKept(settings, footprint) && footprint.fault.empty() &&
            !ChooseHeight(source, footprint, withoutDefault).found)
            return true;
    return false;
}

ImportResult BuildImport(const ImportSource& source, const ImportSettings& settings) {
    ImportResult result;
    result.skipped = source.skipped;
    result.unitName = source.unitName;
    result.levelHeight = settings.levelHeight;
    Georeference& geo = result.georeference;
    geo.present = 1;
    geo.kind = source.coordinates;
    geo.epsg = source.epsg;
    geo.unitScale = source.coordinates == GeoKind::LonLat ? 1.0 : source.unitScale;
    LocalPlane plane{0.0, 0.0};
    if (source.coordinates == GeoKind::LonLat) {
        plane = PlaneOfData(source, settings);
        geo.originLongitude = plane.originLongitude;
        geo.originLatitude = plane.originLatitude;
    }

    std::vector<KeptFootprint> kept;
    int32_t otherLayers = 0;
    for (const SourceFootprint& footprint : source.footprints) {
        if (!LayerKept(settings, footprint)) {
            otherLayers++;
            continue;
        }
        HeightChoice height = ChooseHeight(source, footprint, settings);
        std::vector<Ring> polygons;
        std::string fault = FootprintPolygons(source, plane, footprint, height, &polygons);
        if (!fault.empty()) {
            result.failures.push_back({footprint.name, fault});
            continue;
        }
        kept.push_back({footprint.name, height.source, footprint.unreadableHeights, std::move(polygons)});
    }
    if (otherLayers > 0)
        result.skipped.push_back({"on other layers", otherLayers});
    if (kept.empty() && result.failures.empty())
        result.refusal = NothingFoundText(source);
    else if (!kept.empty())
        Place(kept, &result);
    if (!result.refusal.empty()) {
        result.polygons.clear();
        result.vertices = 0;
    }
    return result;
}

std::string ImportSummary(const ImportResult& result) {
    static const char* const SourceNames[] = {
        "vertex z", "thickness", "elevation", "the height property", "building:levels", "the default height"};
    char line[200];
    snprintf(line, sizeof line, "imported: %d polygons with %d vertices from %d footprints\n",
             static_cast<int>(result.polygons.size()), result.vertices, result.footprints);
    std::string text = line;
    std::string heights;
    for (int i = 0; i < static_cast<int>(HeightSource::Count); i++) {
        if (result.heightSources[i] == 0)
            continue;
        snprintf(line, sizeof line, "%s%d from %s", heights.empty() ? "" : ", ", result.heightSources[i],
                 SourceNames[i]);
        heights += line;
        if (i == static_cast<int>(HeightSource::Levels)) {
            snprintf(line, sizeof line, " x %g m", result.levelHeight);
            heights += line;
        }
    }
    if (!heights.empty())
        text += "heights: " + heights + "\n";
    if (result.unreadableHeights > 0)
        text += "height texts not read as numbers: " + std::to_string(result.unreadableHeights) +
                " (the next source was used)\n";
    std::string skipped;
    for (const SkippedCount& s : result.skipped)
        skipped += (skipped.empty() ? "" : ", ") + std::to_string(s.count) + " " + s.kind;
    if (!skipped.empty())
        text += "skipped: " + skipped + "\n";
    if (!result.unitName.empty())
        text += "units: " + result.unitName + "\n";
    if (!result.failures.empty())
        text += "failed the checks: " + std::to_string(result.failures.size()) + " footprints\n";
    return text;
}

std::string ImportFailuresText(const ImportResult& result, size_t most) {
    std::string text;
    for (size_t i = 0; i < result.failures.size() && i < most; i++)
        text += result.failures[i].name + ": " + result.failures[i].reason + "\n";
    if (result.failures.size() > most)
        text += "and " + std::to_string(result.failures.size() - most) + " more\n";
    return text;
}

ApplyOutcome ApplyImport(const ImportResult& result, bool importRest, Drawing* target) {
    if (!result.refusal.empty() || result.polygons.empty())
        return result.failures.empty() || importRest ? ApplyOutcome::Refused : ApplyOutcome::HasFailures;
    if (!result.failures.empty() && !importRest)
        return ApplyOutcome::HasFailures;
    if (!target->polygons.replacePolygons(result.polygons))
        return ApplyOutcome::Refused;
    target->drawOptions.mapSize = std::max(target->drawOptions.mapSize, result.mapSize);
    target->georeference = result.georeference;
    target->assessment = AssessmentSettings();
    target->fileName[0] = 0;
    target->isOpen = 1;
    target->modified = 1;
    target->calcReady = CheckDrawing(*target) ? 1 : 0;
    return ApplyOutcome::Applied;
}
