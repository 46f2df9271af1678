// The one file that includes GeographicLib. Nothing it throws gets past these functions.
#include "exchange/geodesy.h"

#include <GeographicLib/Geodesic.hpp>
#include <GeographicLib/TransverseMercator.hpp>

#include <cmath>
#include <exception>
#include <limits>

namespace {

const GeographicLib::TransverseMercator& Projection() {
    static const GeographicLib::TransverseMercator projection(GeographicLib::Constants::WGS84_a(),
                                                              GeographicLib::Constants::WGS84_f(), 1.0);
    return projection;
}

bool OnEllipsoid(double longitude, double latitude) {
    return std::isfinite(longitude) && std::isfinite(latitude) && std::fabs(latitude) <= 90.0 &&
           std::fabs(longitude) <= 540.0;
}

// The northing of the origin itself, so that the plane's northings start at the origin.
double OriginNorthing(const LocalPlane& plane) {
    double x, y;
    Projection().Forward(plane.originLongitude, plane.originLatitude, plane.originLongitude, x, y);
    return y;
}

}  // namespace

bool ProjectToPlane(const LocalPlane& plane, double longitude, double latitude, double* easting, double* northing) {
    if (!OnEllipsoid(longitude, latitude) || !OnEllipsoid(plane.originLongitude, plane.originLatitude))
        return false;
    try {
        double x, y;
        Projection().Forward(plane.originLongitude, latitude, longitude, x, y);
        *easting = x;
        *northing = y - OriginNorthing(plane);
    } catch (const std::exception&) {
        return false;
    }
    return std::isfinite(*easting) && std::isfinite(*northing);
}

bool UnprojectFromPlane(const LocalPlane& plane, double easting, double northing, double* longitude, double* latitude) {
    if (!std::isfinite(easting) || !std::isfinite(northing) ||
        !OnEllipsoid(plane.originLongitude, plane.originLatitude))
        return false;
    try {
        double lat, lon;
        Projection().Reverse(plane.originLongitude, easting, northing + OriginNorthing(plane), lat, lon);
        *longitude = lon;
        *latitude = lat;
    } catch (const std::exception&) {
        return false;
    }
    return std::isfinite(*longitude) && std::isfinite(*latitude);
}

double GeodesicDistance(double longitude1, double latitude1, double longitude2, double latitude2) {
    if (!OnEllipsoid(longitude1, latitude1) || !OnEllipsoid(longitude2, latitude2))
        return std::numeric_limits<double>::quiet_NaN();
    try {
        double distance;
        GeographicLib::Geodesic::WGS84().Inverse(latitude1, longitude1, latitude2, longitude2, distance);
        return distance;
    } catch (const std::exception&) {
        return std::numeric_limits<double>::quiet_NaN();
    }
}
