#include "view/dpi_scale.h"

int32_t UsableDpi(int32_t dpi) {
    return dpi >= BaseDpi / 2 && dpi <= BaseDpi * 10 ? dpi : BaseDpi;
}

int32_t ScaledPixels(int32_t at96, int32_t dpi) {
    int64_t scaled = int64_t{at96} * UsableDpi(dpi);
    int64_t half = BaseDpi / 2;
    return static_cast<int32_t>((scaled >= 0 ? scaled + half : scaled - half) / BaseDpi);
}

// At 96 DPI this is exactly 10.0, so that every transform gives the same bits as before densities
// were known.
double ZoomPixels(int32_t dpi) {
    return 10.0 * UsableDpi(dpi) / BaseDpi;
}
