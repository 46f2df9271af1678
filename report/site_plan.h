// The site plan of the report: footprints with their structures' numbers over the collection area
// outlines, scaled into a box of the page, with a scale bar, and a north arrow for a drawing placed
// from a georeferenced source (whose map is north up).
#pragma once

#include <string>
#include <vector>

#include "engine/geometry/geometry.h"
#include "report/page_description.h"

struct SitePlanLabel {
    Point at;  // map coordinates
    std::string text;
};

struct SitePlan {
    std::vector<std::vector<Point>> footprints;  // map coordinates: metres, y growing southwards
    std::vector<std::vector<Point>> adOutlines;  // contours; one inside another is a hole
    std::vector<std::vector<Point>> amOutlines;
    // For several structures, each one's Ad contours in place of the whole drawing's, so that each
    // outline shows where they overlap.
    std::vector<std::vector<std::vector<Point>>> structureAdOutlines;
    std::vector<SitePlanLabel> labels;
    bool northUp = false;
};

// A length for the scale bar: 1, 2 or 5 times a power of ten metres, the largest not above most.
double ScaleBarLength(double mostMetres);

// Draws the plan into the box (left, top, width, height in mm) of the page; gives the scale's
// denominator (1 : n), 0 when there is nothing to draw.
double DrawSitePlan(const SitePlan& plan, double leftMm, double topMm, double widthMm, double heightMm, Page* page);
