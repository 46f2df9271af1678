#include "view/status_texts.h"

#include <cmath>
#include <cstdio>

namespace {

constexpr size_t StatusTextSize = 260;

}  // namespace

std::string PointerStatus(Point cursor) {
    char text[StatusTextSize];
    snprintf(text, sizeof text, "Distance from beginning [m] x: %.2f y: %.2f", cursor.x, cursor.y);
    return text;
}

std::string AreaStatus(bool adView, double area) {
    char text[StatusTextSize];
    snprintf(text, sizeof text, adView ? "Ad view [km^2]: %.5e" : "Am view [km^2]: %.5e", area);
    return text;
}

std::string DistanceStatus(double dx, double dy) {
    char text[StatusTextSize];
    snprintf(text, sizeof text, "Distance [m] x: %.3f, y: %.3f, tot: %.3f", dx, dy, std::sqrt(dx * dx + dy * dy));
    return text;
}

std::string AreaLabel(double area) {
    char text[StatusTextSize];
    snprintf(text, sizeof text, "%.5e km^2", area);
    return text;
}
