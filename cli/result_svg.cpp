#include "cli/result_svg.h"

#include <algorithm>
#include <cfloat>
#include <cstdio>
#include <vector>

namespace {

struct Bounds {
    double minX = DBL_MAX, minY = DBL_MAX, maxX = -DBL_MAX, maxY = -DBL_MAX;
    void add(double x, double y) {
        minX = std::min(minX, x);
        minY = std::min(minY, y);
        maxX = std::max(maxX, x);
        maxY = std::max(maxY, y);
    }
    bool empty() const { return minX > maxX; }
};

void Append(std::string* out, const char* format, double a, double b) {
    char text[96];
    snprintf(text, sizeof text, format, a, b);
    *out += text;
}

// Polygons from priority index 9 down to 0, each priority in store order, so that index 0 ends on top.
std::vector<int32_t> PaintOrder(const PolygonStore& store) {
    std::vector<int32_t> order;
    for (int32_t priority = PriorityCount - 1; priority >= 0; priority--)
        for (int32_t i = 0; i < store.count(); i++)
            if (store.priorities()[i] == priority)
                order.push_back(i);
    return order;
}

}  // namespace

std::string ResultSvg(const Drawing& source, const CalcResult& result, bool adView) {
    Bounds bounds;
    std::string outline;  // one path; the even-odd rule leaves holes open over the white ground
    for (int32_t c = 0; c < result.contourCount; c++) {
        if ((result.adFlags[c] != 0) != adView || result.contours[c].empty())
            continue;
        const char* command = "M";
        for (const Point& p : result.contours[c]) {
            bounds.add(p.x, p.y);
            outline += command;
            Append(&outline, "%.4f %.4f", p.x, p.y);
            command = " L";
        }
        outline += " Z ";
    }
    const PolygonStore& store = source.polygons;
    for (int32_t i = 0; i < store.count(); i++)
        for (int32_t k = 0; k < store.polygon(i).vertexCount; k++)
            bounds.add(store.polygon(i).x[k], store.polygon(i).y[k]);
    if (bounds.empty())
        bounds.add(0, 0);

    double margin = std::max(bounds.maxX - bounds.minX, bounds.maxY - bounds.minY) * 0.05 + 1.0;
    double left = bounds.minX - margin, top = bounds.minY - margin;
    double width = bounds.maxX - bounds.minX + 2 * margin, height = bounds.maxY - bounds.minY + 2 * margin;
    double font = height * 0.04;

    std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\"";
    Append(&svg, " viewBox=\"%.4f %.4f", left, top);
    Append(&svg, " %.4f %.4f\"", width, height);
    Append(&svg, " width=\"1000\" height=\"%.0f\">\n", 1000.0 * height / width, 0.0);
    Append(&svg, "<rect x=\"%.4f\" y=\"%.4f\"", left, top);
    Append(&svg, " width=\"%.4f\" height=\"%.4f\" fill=\"#ffffff\"/>\n", width, height);
    svg += "<path fill=\"#7c7cff\" fill-rule=\"evenodd\" d=\"" + outline + "\"/>\n";
    Append(&svg, "<g fill=\"#7f7f7f\" stroke=\"#000000\" stroke-width=\"%.4f\">\n", width / 1000.0, 0.0);
    for (int32_t i : PaintOrder(store)) {
        const PolygonRecord& polygon = store.polygon(i);
        svg += "<polygon points=\"";
        for (int32_t k = 0; k < polygon.vertexCount; k++)
            Append(&svg, k ? " %.4f,%.4f" : "%.4f,%.4f", polygon.x[k], polygon.y[k]);
        svg += "\"/>\n";
    }
    svg += "</g>\n";
    Append(&svg, "<text x=\"%.4f\" y=\"%.4f\"", left + font * 0.5, top + font * 1.2);
    Append(&svg, " font-family=\"Arial, sans-serif\" font-size=\"%.4f\">%.5e km^2</text>\n</svg>\n", font,
           adView ? result.ad : result.am);
    return svg;
}
