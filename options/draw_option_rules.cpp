#include "options/draw_option_rules.h"

#include <cmath>

#include "model/drawing_options.h"

bool SnapZoomRefused(int32_t snapIndex, int32_t zoomIndex) {
    double ratio = SnapSteps[snapIndex].step / ZoomSteps[zoomIndex].value;
    return ratio > 0 && ratio <= 0.2;
}

double MapSizeRule(double value) {
    double size = std::fabs(value);
    return size < MinMapSize ? MinMapSize : size;
}
