// Longitude/latitude to a local plane in metres and back: a transverse Mercator on the WGS 84
// ellipsoid with scale 1 on the meridian through the origin, northings counted from the origin's
// latitude. Inside a few tens of kilometres of the origin its scale differs from 1 by less than 1e-5.
#pragma once

struct LocalPlane {
    double originLongitude;
    double originLatitude;
};

// False for a position off the ellipsoid (|lat| > 90, not finite) or that the projection cannot take.
bool ProjectToPlane(const LocalPlane& plane, double longitude, double latitude, double* easting, double* northing);
bool UnprojectFromPlane(const LocalPlane& plane, double easting, double northing, double* longitude, double* latitude);

// The shortest distance over the WGS 84 ellipsoid in metres; NaN when it cannot be computed.
double GeodesicDistance(double longitude1, double latitude1, double longitude2, double latitude2);
