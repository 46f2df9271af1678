#include "report/site_plan.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

namespace {

constexpr PageColour kAmFill{214, 232, 247};
constexpr PageColour kAmLine{70, 120, 180};
constexpr PageColour kAdFill{250, 214, 170};
constexpr PageColour kAdLine{200, 110, 30};
constexpr PageColour kFootprintFill{175, 175, 175};
constexpr PageColour kInk{0, 0, 0};
constexpr double kLegendMm = 12.0;  // room under the plan for the scale bar and the north arrow

struct Box {
    double minX = std::numeric_limits<double>::max();
    double minY = std::numeric_limits<double>::max();
    double maxX = std::numeric_limits<double>::lowest();
    double maxY = std::numeric_limits<double>::lowest();
    void Add(const std::vector<std::vector<Point>>& contours) {
        for (const auto& contour : contours)
            for (const Point& p : contour) {
                minX = std::min(minX, p.x);
                minY = std::min(minY, p.y);
                maxX = std::max(maxX, p.x);
                maxY = std::max(maxY, p.y);
            }
    }
    bool Empty() const { return minX > maxX; }
};

struct Placement {
    double scale;  // mm on the page per metre
    double originX, originY;
    double left, top;
    PagePoint operator()(Point p) const { return {left + (p.x - originX) * scale, top + (p.y - originY) * scale}; }
};

PagePath Region(const std::vector<std::vector<Point>>& contours, const Placement& place, PageColour fill,
                PageColour line) {
    PagePath path;
    for (const auto& contour : contours) {
        path.contours.emplace_back();
        for (const Point& p : contour)
            path.contours.back().push_back(place(p));
    }
    path.closed = true;
    path.filled = true;
    path.fill = fill;
    path.stroke = line;
    path.lineWidthMm = 0.15;
    return path;
}

PagePath Line(std::vector<PagePoint> points, double widthMm, bool closed = false, bool filled = false) {
    PagePath path;
    path.contours = {std::move(points)};
    path.lineWidthMm = widthMm;
    path.stroke = kInk;
    path.closed = closed;
    path.filled = filled;
    path.fill = kInk;
    return path;
}

constexpr double kLabelPt = 7.0;

// The room a number takes on the page, centred on its point; its digits are about 0.6 em wide.
struct LabelBox {
    double left, top, right, bottom;
    bool Overlaps(const LabelBox& o) const {
        return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
    }
};

LabelBox LabelAround(PagePoint at, const std::string& text) {
    double halfWidth = 0.3 * kLabelPt * kMmPerPoint * text.size() + 0.3;
    double halfHeight = 0.5 * kLabelPt * kMmPerPoint;
    return {at.x - halfWidth, at.y - halfHeight, at.x + halfWidth, at.y + halfHeight};
}

std::string Metres(double metres) {
    char text[32];
    if (metres >= 1000.0) {
        std::snprintf(text, sizeof text, "%g km", metres / 1000.0);
    } else {
        std::snprintf(text, sizeof text, "%g m", metres);
    }
    return text;
}

void ScaleBar(const Placement& place, double left, double baseline, Page* page) {
    double metres = ScaleBarLength(50.0 / place.scale);
    double length = metres * place.scale;
    double y = baseline - 4.0;
    page->paths.push_back(Line({{left, y - 1.2}, {left, y}, {left + length, y}, {left + length, y - 1.2}}, 0.3));
    page->paths.push_back(Line({{left + length / 2, y}, {left + length / 2, y - 0.8}}, 0.2));
    page->texts.push_back({{left, baseline}, 7.0, false, TextAlign::centre, "0"});
    page->texts.push_back({{left + length, baseline}, 7.0, false, TextAlign::centre, Metres(metres)});
}

void NorthArrow(double x, double baseline, Page* page) {
    double tip = baseline - 10.0;
    page->paths.push_back(
        Line({{x, tip}, {x + 2.0, tip + 7.0}, {x, tip + 5.5}, {x - 2.0, tip + 7.0}}, 0.2, true, true));
    page->texts.push_back({{x, baseline}, 7.0, true, TextAlign::centre, "N"});
}

}  // namespace

double ScaleBarLength(double mostMetres) {
    if (!(mostMetres > 0.0) || !std::isfinite(mostMetres))
        return 1.0;
    double power = std::pow(10.0, std::floor(std::log10(mostMetres)));
    for (double step : {5.0, 2.0, 1.0})
        if (step * power <= mostMetres * (1.0 + 1e-12))
            return step * power;
    return power;
}

double DrawSitePlan(const SitePlan& plan, double leftMm, double topMm, double widthMm, double heightMm, Page* page) {
    Box box;
    box.Add(plan.footprints);
    box.Add(plan.adOutlines);
    box.Add(plan.amOutlines);
    for (const auto& outline : plan.structureAdOutlines)
        box.Add(outline);
    if (box.Empty())
        return 0.0;
    double mapHeight = heightMm - kLegendMm;
    double spanX = std::max(box.maxX - box.minX, 1e-6);
    double spanY = std::max(box.maxY - box.minY, 1e-6);
    double scale = std::min(widthMm / spanX, mapHeight / spanY);
    Placement place{scale, box.minX, box.minY, leftMm + (widthMm - spanX * scale) / 2.0,
                    topMm + (mapHeight - spanY * scale) / 2.0};

    if (!plan.amOutlines.empty())
        page->paths.push_back(Region(plan.amOutlines, place, kAmFill, kAmLine));
    if (!plan.adOutlines.empty())
        page->paths.push_back(Region(plan.adOutlines, place, kAdFill, kAdLine));
    // All the fills first, then every outline over them, so that no fill hides another structure's line.
    for (bool fill : {true, false})
        for (const auto& outline : plan.structureAdOutlines) {
            PagePath path = Region(outline, place, kAdFill, kAdLine);
            path.filled = fill;
            path.stroked = !fill;
            page->paths.push_back(std::move(path));
        }
    page->paths.push_back(Region(plan.footprints, place, kFootprintFill, kInk));
    // In a dense plan a number that would cover another one is left out: the table names them all.
    std::vector<LabelBox> placed;
    for (const SitePlanLabel& label : plan.labels) {
        PagePoint at = place(label.at);
        LabelBox box = LabelAround(at, label.text);
        if (std::any_of(placed.begin(), placed.end(), [&](const LabelBox& other) { return box.Overlaps(other); }))
            continue;
        placed.push_back(box);
        page->texts.push_back(
            {{at.x, at.y + kLabelPt * kMmPerPoint * 0.35}, kLabelPt, true, TextAlign::centre, label.text});
    }

    double baseline = topMm + heightMm - 1.0;
    ScaleBar(place, leftMm + 2.0, baseline, page);
    if (plan.northUp)
        NorthArrow(leftMm + widthMm - 4.0, baseline, page);
    return 1000.0 / scale;
}
