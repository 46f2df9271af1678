#include "bench/reference_ad_am.h"

#include <cmath>
#include <vector>

#include "engine/clipper/clipper.h"
#include "engine/geometry/geometry.h"

namespace {

bool NormalFormOf(const std::vector<Point>& points, ClipPolygon* result) {
    return NormalForm(SingleContourPolygon(points.data(), static_cast<int32_t>(points.size())), result);
}

// The outline of one band: the two end circles and the trapezoid, united; empty when both radii are 0.
bool EdgeBand(Point a, double ra, Point b, double rb, std::vector<Point>* band) {
    std::array<Point, 4> corners = BandCorners(a, b, ra, rb);
    ClipPolygon u0, u1, uq, t, joined;
    if (!NormalFormOf(CirclePolygon(a.x, a.y, ra), &u0) || !NormalFormOf(CirclePolygon(b.x, b.y, rb), &u1) ||
        !NormalFormOf({corners.begin(), corners.end()}, &uq) || !ClipUnion(u0, uq, &t) || !ClipUnion(t, u1, &joined))
        return false;
    band->clear();
    if (!joined.contours.empty())
        *band = joined.contours[0].points;
    return true;
}

bool OffsetRegion(bool adPass, const CalcOptions& options, const CalcPolygon& polygon, ClipPolygon* region) {
    size_t n = polygon.vertices.size();
    std::vector<Point> points(n);
    std::vector<double> radius(n);
    for (size_t i = 0; i < n; i++) {
        const CalcVertex& v = polygon.vertices[i];
        points[i] = {v.x, v.y};
        radius[i] = std::fabs(adPass ? v.height * options.heightProjection : options.distanceProjection);
    }
    ClipPolygon footprint, accumulated;
    if (!NormalFormOf(points, &footprint))
        return false;
    bool first = true;
    for (size_t i = 0; i < n; i++) {
        size_t next = (i + 1) % n;
        std::vector<Point> band;
        ClipPolygon bandForm;
        if (!EdgeBand(points[i], radius[i], points[next], radius[next], &band) || !NormalFormOf(band, &bandForm))
            return false;
        if (bandForm.contours.empty())
            continue;
        if (!(first ? ClipUnion(footprint, bandForm, &accumulated) : ClipUnion(bandForm, accumulated, &accumulated)))
            return false;
        first = false;
    }
    return first ? (*region = footprint, true) : ClipUnion(footprint, accumulated, region);
}

bool Outline(bool adPass, const CalcOptions& options, const CalcInput& input, ClipPolygon* outline) {
    for (size_t i = 0; i < input.polygons.size(); i++) {
        ClipPolygon region;
        if (!OffsetRegion(adPass, options, input.polygons[i], &region))
            return false;
        if (i == 0)
            *outline = region;
        else if (!ClipUnion(*outline, region, outline))
            return false;
    }
    return true;
}

}  // namespace

ReferenceResult ReferenceAdAm(const CalcInput& input, const CalcOptions& options) {
    ReferenceResult result;
    ClipPolygon ad, am;
    if (!Outline(true, options, input, &ad) || !Outline(false, options, input, &am))
        return result;
    for (const CalcPolygon& polygon : input.polygons) {
        std::vector<Point> points;
        for (const CalcVertex& v : polygon.vertices)
            points.push_back({v.x, v.y});
        ClipPolygon footprint;
        if (!NormalFormOf(points, &footprint) || !ClipDifference(am, footprint, &am))
            return result;
    }
    // Counted in the form the engine gives its contours in, every hole and island a contour of its own:
    // a plain union joins a contour to another where they touch at a point, such as the pinch of a
    // figure eight, and the counts then differed where the regions did not.
    if (!StrictlySimpleForm(ad, &ad) || !StrictlySimpleForm(am, &am))
        return result;
    result.ok = true;
    result.ad = RegionArea(ad) * 1e-6;
    result.am = RegionArea(am) * 1e-6;
    result.adContours = static_cast<int32_t>(ad.contours.size());
    result.amContours = static_cast<int32_t>(am.contours.size());
    return result;
}
