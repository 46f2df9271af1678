#include "view/status_texts.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

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

std::string PictureCaption(bool adView, double area) {
    char km[StatusTextSize];
    snprintf(km, sizeof km, "%.5e km\xB2", area);
    std::string text = adView ? "Ad = " : "Am = ";
    double metres = std::round(area * 1e6);
    if (!std::isfinite(metres) || std::fabs(metres) >= 1e18)
        return text + km;
    std::string digits = std::to_string(std::llabs(static_cast<long long>(metres)));
    for (size_t i = digits.size(); i > 3; i -= 3)
        digits.insert(i - 3, " ");
    return text + (metres < 0 ? "-" : "") + digits + " m\xB2 (" + km + ")";
}

std::string AreaLabel(double area) {
    char text[StatusTextSize];
    snprintf(text, sizeof text, "%.5e km^2", area);
    return text;
}
