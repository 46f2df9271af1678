#include "view/snap.h"

#include <cstdlib>

namespace {

int32_t SnapCoordinate(int32_t value, int32_t step) {
    int32_t remainder = value % step;
    return remainder < step / 2 ? value - remainder : value - remainder + step;
}

}  // namespace

PixelPoint CarryMove(PixelPoint raw, PixelPoint previous, int32_t g, SnapCarry* carry) {
    int32_t dx = raw.x - previous.x, dy = raw.y - previous.y;
    if (!(std::abs(dx) < g && std::abs(dy) < g)) {
        *carry = SnapCarry();
        return raw;
    }
    carry->x += dx;
    carry->y += dy;
    bool fullX = std::abs(carry->x) >= g, fullY = std::abs(carry->y) >= g;
    if (fullX) {
        raw.x += carry->x;
        carry->x = 0;
    }
    if (fullY) {
        raw.y += carry->y;
        carry->y = 0;
    }
    return raw;
}

PixelPoint SnapToGrid(PixelPoint position, int32_t gridStep) {
    return {SnapCoordinate(position.x, gridStep), SnapCoordinate(position.y, gridStep)};
}
