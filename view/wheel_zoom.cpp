#include "view/wheel_zoom.h"

#include <cmath>

#include "model/drawing_options.h"
#include "options/draw_option_rules.h"

namespace {

// A line of wheel scrolling is 20 pixels at 96 DPI, which span twice the zoom value in metres at
// any density.
constexpr double WheelLineSpans = 2.0;

// The nearest whole metre within the scroll range; NaN and far-off values land on an end of it.
int32_t NearestPosition(double metres, int32_t maximum, int32_t page) {
    int32_t last = ClampScrollPosition(maximum, maximum, page);
    if (!(metres > 0.0))
        return 0;
    if (metres >= last)
        return last;
    return static_cast<int32_t>(std::lround(metres));
}

}  // namespace

int32_t TakeWheelNotches(WheelCarry* carry, int32_t delta) {
    if ((delta > 0 && carry->delta < 0) || (delta < 0 && carry->delta > 0))
        carry->delta = 0;
    int64_t total = int64_t{carry->delta} + delta;
    int64_t notches = total / WheelNotchDelta;  // toward zero: the remainder keeps the sign of the turn
    carry->delta = static_cast<int32_t>(total - notches * WheelNotchDelta);
    return static_cast<int32_t>(notches);
}

// Refused steps lie at the coarse end of the table (the grid gets dense there), so zooming out stops
// where the dialog would refuse; zooming in passes over refused steps to the first one accepted.
int32_t WheelZoomIndex(int32_t zoomIndex, int32_t snapIndex, int32_t notches) {
    if (!ZoomIndexValid(zoomIndex) || !SnapIndexValid(snapIndex))
        return zoomIndex;
    int32_t direction = notches > 0 ? -1 : 1;
    int64_t remaining = notches > 0 ? int64_t{notches} : -int64_t{notches};
    int32_t index = zoomIndex;
    for (; remaining > 0; remaining--) {
        int32_t next = index + direction;
        while (ZoomIndexValid(next) && SnapZoomRefused(snapIndex, next))
            next += direction;
        if (!ZoomIndexValid(next))
            break;
        index = next;
    }
    return index;
}

int32_t ClampScrollPosition(int64_t position, int32_t maximum, int32_t page) {
    int64_t last = int64_t{maximum} - page + 1;
    if (last < 0)
        last = 0;
    if (position < 0)
        return 0;
    return static_cast<int32_t>(position < last ? position : last);
}

// The pointer's map point is found with the old zoom and placed back at the same pixel with the new;
// whole-metre positions leave it off by up to half a metre.
ScrollPosition ZoomAboutPointer(const ViewTransform& before, double newZ, PixelPoint pointer, int32_t clientWidth,
                                int32_t clientHeight, int32_t maximum) {
    Point anchor = ToWorld(before, pointer.x, pointer.y);
    double span = ZoomPixels(before.dpi);
    return {NearestPosition(anchor.x - pointer.x / span * newZ, maximum, ScrollPage(clientWidth, newZ, before.dpi)),
            NearestPosition(anchor.y - pointer.y / span * newZ, maximum, ScrollPage(clientHeight, newZ, before.dpi))};
}

int32_t WheelScrollPosition(int32_t position, int32_t notches, uint32_t linesPerNotch, double z, int32_t maximum,
                            int32_t page) {
    if (linesPerNotch == 0)
        return position;
    double metres = linesPerNotch * WheelLineSpans * z;
    int64_t step = page;
    if (metres < page)
        step = metres < 1.0 ? 1 : std::llround(metres);
    return ClampScrollPosition(int64_t{position} - int64_t{notches} * step, maximum, page);
}

// Measured from the press rather than move by move, so that rounding never adds up along a drag.
ScrollPosition PanScrollPosition(ScrollPosition atPress, PixelPoint press, PixelPoint pointer,
                                 const ViewTransform& view, int32_t maximum, int32_t pageX, int32_t pageY) {
    double span = ZoomPixels(view.dpi);
    double movedX = (int64_t{pointer.x} - press.x) / span * view.z;
    double movedY = (int64_t{pointer.y} - press.y) / span * view.z;
    return {NearestPosition(atPress.x - movedX, maximum, pageX), NearestPosition(atPress.y - movedY, maximum, pageY)};
}
