// The two texts the canvas puts into the status bar at every mouse move.
#pragma once

#include <cstddef>
#include <string>

#include "engine/geometry/geometry.h"

std::string PointerStatus(Point cursor);           // drawing view
std::string AreaStatus(bool adView, double area);  // result views, km^2
std::string DistanceStatus(double dx, double dy);  // while placing or moving

// The label of an area on a result view and on its exported picture.
std::string AreaLabel(double area);  // km^2

// The caption of an exported or copied picture: the view, the area in whole square metres grouped by
// thousands, and in km^2, as "Ad = 13 335 m\xB2 (1.33352e-02 km\xB2)" in the Windows Latin code page.
std::string PictureCaption(bool adView, double area);  // area in km^2
