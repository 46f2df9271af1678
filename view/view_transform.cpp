#include "view/view_transform.h"

int32_t PixelCoordinate(double value) {
    constexpr double Limit = 1 << 27;
    if (!(value > -Limit))  // NaN included
        return -static_cast<int32_t>(Limit);
    return static_cast<int32_t>(value < Limit ? value : Limit);
}

namespace {

constexpr int32_t VertexMarkHalfSide = 3;  // pixels

}  // namespace

PixelBox VertexMarkBox(PixelPoint vertex) {
    return {vertex.x - VertexMarkHalfSide, vertex.y - VertexMarkHalfSide, vertex.x + VertexMarkHalfSide,
            vertex.y + VertexMarkHalfSide};
}

Point ToWorld(const ViewTransform& view, int32_t px, int32_t py) {
    return {px / 10.0 * view.z + view.scrollX, py / 10.0 * view.z + view.scrollY};
}

PixelPoint ToPixel(const ViewTransform& view, double wx, double wy) {
    return {PixelCoordinate((wx - view.scrollX) * 10 / view.z), PixelCoordinate((wy - view.scrollY) * 10 / view.z)};
}

int32_t ScrollPage(int32_t pixels, double z) {
    int32_t page = static_cast<int32_t>((pixels / 10) * z);
    return page < 1 ? 1 : page;
}

int32_t ScrollMaximum(double mapSize, bool resultView) {
    return resultView ? 0 : PixelCoordinate(mapSize);
}

int32_t GridStep(double snapStep, double z) {
    double step = snapStep * 10 / z;
    return static_cast<int32_t>(step < 1.0 ? 1.0 : step);
}
