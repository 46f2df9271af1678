#include "view/window_layout.h"

#include <algorithm>

PixelSize MainWindowSize(int32_t dpi) {
    return {ScaledPixels(850, dpi), ScaledPixels(600, dpi)};
}

PixelRect PlaceInWorkArea(PixelSize wanted, PixelRect workArea) {
    int32_t width = std::max(0, std::min(wanted.width, workArea.width));
    int32_t height = std::max(0, std::min(wanted.height, workArea.height));
    return {workArea.left + (workArea.width - width) / 2, workArea.top + (workArea.height - height) / 2, width, height};
}

// Each button's left edge is scaled whole, so that rounding does not add up along the row. A client
// area narrower than the row, as on a small screen of high density, narrows buttons and gaps alike, so
// that the last button stays whole in sight.
PixelRect ToolbarButtonPlace(int32_t i, int32_t clientWidth, int32_t dpi) {
    int64_t margin = ScaledPixels(10, dpi), row = ScaledPixels(120 * (ToolbarButtonCount - 1) + 100, dpi);
    int64_t room = std::max<int64_t>(0, clientWidth - 2 * margin);
    int64_t left = ScaledPixels(10 + 120 * i, dpi), width = ScaledPixels(100, dpi);
    if (room < row) {
        left = margin + (left - margin) * room / row;
        width = width * room / row;
    }
    return {static_cast<int32_t>(left), ScaledPixels(10, dpi), static_cast<int32_t>(width), ScaledPixels(20, dpi)};
}

PixelRect CanvasPlace(int32_t clientWidth, int32_t clientHeight, int32_t dpi) {
    return {ScaledPixels(10, dpi), ScaledPixels(40, dpi), clientWidth - ScaledPixels(25, dpi),
            clientHeight - ScaledPixels(70, dpi)};
}

int32_t StatusSplit(int32_t dpi) {
    return ScaledPixels(400, dpi);
}
