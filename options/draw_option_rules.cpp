#include "options/draw_option_rules.h"

#include <cmath>

#include "text/decimal_text.h"

bool SnapZoomRefused(int32_t snapIndex, int32_t zoomIndex) {
    double ratio = SnapSteps[snapIndex].step / ZoomSteps[zoomIndex].value;
    return ratio > 0 && ratio <= 0.2;
}

double MapSizeRule(double value) {
    double size = std::fabs(value);
    return size < MinMapSize ? MinMapSize : size;
}

bool StoreDrawOptions(DrawOptions* stored, DrawOptions* choice, char* mapSizeText) {
    if (SnapZoomRefused(choice->snapIndex, choice->zoomIndex))
        return false;
    stored->snapIndex = choice->snapIndex;
    stored->zoomIndex = choice->zoomIndex;
    stored->snapOn = choice->snapIndex == 0 ? 0 : choice->snapOn;
    if (CheckDecimalText(mapSizeText)) {
        choice->mapSize = std::fabs(ReadDecimal(mapSizeText));
        stored->mapSize = MapSizeRule(choice->mapSize);
    }
    return true;
}

DrawOptions WithUsableGrid(DrawOptions options) {
    while (SnapZoomRefused(options.snapIndex, options.zoomIndex) && options.snapIndex < SnapStepCount - 1)
        options.snapIndex++;
    return options;
}
