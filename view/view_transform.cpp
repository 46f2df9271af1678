#include "view/view_transform.h"

#include <cmath>

int32_t PixelCoordinate(double value) {
    constexpr double Limit = 1 << 27;
    if (!(value > -Limit))  // NaN included
        return -static_cast<int32_t>(Limit);
    return static_cast<int32_t>(value < Limit ? value : Limit);
}

namespace {

constexpr int32_t VertexMarkHalfSide = 3;  // pixels

}  // namespace

PixelBox VertexMarkBox(PixelPoint vertex, int32_t dpi) {
    int32_t half = ScaledPixels(VertexMarkHalfSide, dpi);
    return {vertex.x - half, vertex.y - half, vertex.x + half, vertex.y + half};
}

Point ToWorld(const ViewTransform& view, int32_t px, int32_t py) {
    double span = ZoomPixels(view.dpi);
    return {px / span * view.z + view.scrollX, py / span * view.z + view.scrollY};
}

PixelPoint ToPixel(const ViewTransform& view, double wx, double wy) {
    double span = ZoomPixels(view.dpi);
    return {PixelCoordinate((wx - view.scrollX) * span / view.z), PixelCoordinate((wy - view.scrollY) * span / view.z)};
}

// Only whole spans of z metres count, as the integer division by 10 did before densities were known.
int32_t ScrollPage(int32_t pixels, double z, int32_t dpi) {
    int32_t page = static_cast<int32_t>(std::trunc(pixels / ZoomPixels(dpi)) * z);
    return page < 1 ? 1 : page;
}

int32_t ScrollMaximum(double mapSize, bool resultView) {
    return resultView ? 0 : PixelCoordinate(mapSize);
}

int32_t GridStep(double snapStep, double z, int32_t dpi) {
    double step = snapStep * ZoomPixels(dpi) / z;
    return static_cast<int32_t>(step < 1.0 ? 1.0 : step);
}
