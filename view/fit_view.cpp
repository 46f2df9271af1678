#include "view/fit_view.h"

#include <algorithm>
#include <cmath>

#include "model/drawing_options.h"
#include "view/dpi_scale.h"

namespace {

constexpr double Margin = 0.05;  // of the canvas, on each side

int32_t CentredScroll(double low, double high, int32_t pixels, double metresPerPixel) {
    double start = (low + high) / 2 - pixels * metresPerPixel / 2;
    return static_cast<int32_t>(std::max(0.0, std::min(std::floor(start), 2e9)));
}

}  // namespace

FittedView FitBox(Point low, Point high, int32_t width, int32_t height, int32_t dpi) {
    double span = ZoomPixels(UsableDpi(dpi));
    double usableWidth = width * (1 - 2 * Margin), usableHeight = height * (1 - 2 * Margin);
    int32_t zoom = ZoomStepCount - 1;
    for (int32_t z = 0; z < ZoomStepCount; z++) {
        double perMetre = span / ZoomSteps[z].value;
        if ((high.x - low.x) * perMetre <= usableWidth && (high.y - low.y) * perMetre <= usableHeight) {
            zoom = z;
            break;
        }
    }
    double metresPerPixel = ZoomSteps[zoom].value / span;
    return {zoom, CentredScroll(low.x, high.x, width, metresPerPixel),
            CentredScroll(low.y, high.y, height, metresPerPixel)};
}
