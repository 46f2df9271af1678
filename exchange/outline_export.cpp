#include "exchange/outline_export.h"

#include <algorithm>

#include "engine/clipper/clipper.h"
#include "engine/geometry/geometry.h"
#include "exchange/dxf_adapter.h"
#include "exchange/geodesy.h"
#include "exchange/geojson_adapter.h"
#include "exchange/import_file.h"
#include "model/file_io.h"

namespace {

const char* const ErrorTexts[] = {
    "no error",
    "the file's name ends in neither .dxf, .geojson nor .json",
    "there is no calculated outline to export",
    "a point cannot be converted back to longitude/latitude",
    "the file cannot be written",
};

double ContourArea(const ClipContour& contour) {
    return PolygonArea(contour.points.data(), static_cast<int32_t>(contour.points.size()));
}

// Source coordinates of one contour, turned so that outer rings run counter-clockwise and holes
// clockwise with y north, as GeoJSON asks.
std::vector<PlanePoint> SourceRing(const Georeference& georeference, const std::vector<Point>& points, bool hole) {
    std::vector<PlanePoint> ring;
    for (const Point& p : points)
        ring.push_back(DrawingToSource(georeference, {p.x, p.y}));
    // The y axis turns over between the drawing and the source, and so does every ring's sense.
    bool counterClockwiseInSource = SignedArea(points.data(), static_cast<int32_t>(points.size())) < 0;
    if (counterClockwiseInSource == hole)
        std::reverse(ring.begin(), ring.end());
    return ring;
}

// Each hole goes to the smallest outer contour around it; contours of a strictly simple region never
// touch, so any vertex of a hole tells which.
OutlineRegion Region(const char* name, double areaKm2, const std::vector<ClipContour>& contours,
                     const Georeference& georeference) {
    OutlineRegion region;
    region.name = name;
    region.areaKm2 = areaKm2;
    std::vector<const ClipContour*> outers;
    for (const ClipContour& contour : contours)
        if (!contour.hole && contour.points.size() >= 3) {
            outers.push_back(&contour);
            region.polygons.push_back({SourceRing(georeference, contour.points, false), {}});
        }
    for (const ClipContour& contour : contours) {
        if (!contour.hole || contour.points.size() < 3)
            continue;
        int best = -1;
        for (size_t i = 0; i < outers.size(); i++)
            if (PointInRing(outers[i]->points, contour.points[0]) &&
                (best < 0 || ContourArea(*outers[i]) < ContourArea(*outers[best])))
                best = static_cast<int>(i);
        if (best >= 0)
            region.polygons[best].holes.push_back(SourceRing(georeference, contour.points, true));
    }
    return region;
}

bool FootprintContours(const Drawing& source, std::vector<ClipContour>* contours, double* areaKm2) {
    std::vector<ClipPolygon> parts;
    for (int32_t i = 0; i < source.polygons.count(); i++) {
        const PolygonRecord& polygon = source.polygons.polygon(i);
        std::vector<Point> points;
        for (int32_t k = 0; k < polygon.vertexCount; k++)
            points.push_back({polygon.x[k], polygon.y[k]});
        parts.push_back(SingleContourPolygon(points.data(), polygon.vertexCount));
    }
    ClipPolygon united, simple;
    if (!ClipUnionAll(parts, &united) || !StrictlySimpleForm(united, &simple))
        return false;
    *areaKm2 = RegionArea(simple) / 1e6;
    *contours = std::move(simple.contours);
    return true;
}

// Back from the local plane to longitude/latitude, in place.
bool ToLonLat(const Georeference& georeference, std::vector<OutlineRegion>* regions) {
    LocalPlane plane{georeference.originLongitude, georeference.originLatitude};
    auto convert = [&](std::vector<PlanePoint>* ring) {
        for (PlanePoint& p : *ring)
            if (!UnprojectFromPlane(plane, p.x, p.y, &p.x, &p.y))
                return false;
        return true;
    };
    for (OutlineRegion& region : *regions)
        for (OutlinePolygon& polygon : region.polygons) {
            if (!convert(&polygon.outer))
                return false;
            for (std::vector<PlanePoint>& hole : polygon.holes)
                if (!convert(&hole))
                    return false;
        }
    return true;
}

}  // namespace

const char* ExportErrorText(ExportError error) {
    return ErrorTexts[static_cast<int>(error)];
}

bool OutlineRegions(const Drawing& source, const CalcResult& result, OutlineView view,
                    std::vector<OutlineRegion>* regions) {
    regions->clear();
    for (uint8_t ad : {1, 0}) {
        if ((ad && view == OutlineView::Am) || (!ad && view == OutlineView::Ad))
            continue;
        std::vector<ClipContour> contours;
        for (int32_t c = 0; c < result.contourCount; c++)
            if (result.adFlags[c] == ad)
                contours.push_back({result.holeFlags[c] != 0, result.contours[c]});
        if (contours.empty())
            return false;
        regions->push_back(Region(ad ? "ad" : "am", ad ? result.ad : result.am, contours, source.georeference));
    }
    std::vector<ClipContour> footprint;
    double areaKm2 = 0.0;
    if (!FootprintContours(source, &footprint, &areaKm2))
        return false;
    regions->push_back(Region("footprint", areaKm2, footprint, source.georeference));
    return true;
}

bool FootprintRegion(const Drawing& source, const char* name, OutlineRegion* region) {
    std::vector<ClipContour> footprint;
    double areaKm2 = 0.0;
    if (!FootprintContours(source, &footprint, &areaKm2))
        return false;
    std::vector<OutlineRegion> regions = {Region(name, areaKm2, footprint, source.georeference)};
    const Georeference& georeference = source.georeference;
    if (georeference.present && georeference.kind == GeoKind::LonLat && !ToLonLat(georeference, &regions))
        return false;
    *region = std::move(regions.front());
    return true;
}

ExportError WriteOutlineFile(const char* path, const Drawing& source, const CalcResult& result, OutlineView view) {
    SourceFormat format;
    if (!FormatOfPath(path, &format))
        return ExportError::UnknownFormat;
    return WriteOutlineFile(path, format, source, result, view);
}

ExportError WriteOutlineFile(const char* path, SourceFormat format, const Drawing& source, const CalcResult& result,
                             OutlineView view) {
    std::vector<OutlineRegion> regions;
    if (!OutlineRegions(source, result, view, &regions))
        return ExportError::NoResult;
    const Georeference& georeference = source.georeference;
    bool lonLat = georeference.present && georeference.kind == GeoKind::LonLat;
    std::string text;
    if (format == SourceFormat::Dxf) {
        text = EncodeOutlinesDxf(regions);
    } else {
        if (lonLat && !ToLonLat(georeference, &regions))
            return ExportError::CannotConvert;
        text = EncodeOutlinesGeoJson(regions, lonLat, georeference.present ? georeference.epsg : 0);
    }
    if (!WriteFileAtomically(path, std::vector<uint8_t>(text.begin(), text.end())))
        return ExportError::CannotWrite;
    return ExportError::None;
}
