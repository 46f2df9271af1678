#include "view/scroll_into_sight.h"

#include <algorithm>
#include <cmath>

namespace {

// One axis: start is the scroll position, span the metres the canvas shows along it.
int32_t AxisPosition(double low, double high, int32_t start, double span, int32_t maximum) {
    if (low >= start && high <= start + span)
        return start;
    double centred = std::floor((low + high) / 2.0 - span / 2.0);
    return static_cast<int32_t>(std::clamp(centred, 0.0, static_cast<double>(std::max(maximum, 0))));
}

}  // namespace

ScrollPosition ScrollToShow(Point low, Point high, const ViewTransform& view, int32_t width, int32_t height,
                            int32_t maximum) {
    Point origin = ToWorld(view, 0, 0), far = ToWorld(view, width, height);
    return {AxisPosition(low.x, high.x, view.scrollX, far.x - origin.x, maximum),
            AxisPosition(low.y, high.y, view.scrollY, far.y - origin.y, maximum)};
}
