#include "view/window_layout.h"

PixelRect ToolbarButtonPlace(int32_t i) {
    return {10 + 120 * i, 10, 100, 20};
}

PixelRect CanvasPlace(int32_t clientWidth, int32_t clientHeight) {
    return {10, 40, clientWidth - 25, clientHeight - 70};
}

int32_t StatusSplit() {
    return 400;
}
