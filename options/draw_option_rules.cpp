#include "options/draw_option_rules.h"

#include "text/decimal_text.h"
#include "text/ui_texts.h"

bool SnapZoomRefused(int32_t snapIndex, int32_t zoomIndex) {
    double ratio = SnapSteps[snapIndex].step / ZoomSteps[zoomIndex].value;
    return ratio > 0 && ratio <= 0.2;
}

std::string MapSizeText(double mapSize) {
    return DecimalText(mapSize, 0);
}

SaveOutcome StoreDrawOptions(DrawOptions* stored, const DrawOptions& choice, const char* mapSizeText,
                             Refusal* refusal) {
    Refusal why;
    double mapSize = 0.0;
    if (SnapZoomRefused(choice.snapIndex, choice.zoomIndex))
        why = {GridField, TEXT_SNAP_ZOOM_REFUSED};
    else if (!ReadShownNumber(mapSizeText, MapSizeText(stored->mapSize), stored->mapSize, MapSizeRange, &mapSize))
        why = RefuseRange(MapSizeField, MapSizeRange);
    if (why) {
        if (refusal)
            *refusal = why;
        return SaveOutcome::Refused;
    }
    DrawOptions next = *stored;
    next.snapIndex = choice.snapIndex;
    next.zoomIndex = choice.zoomIndex;
    next.snapOn = choice.snapIndex == 0 ? 0 : choice.snapOn;
    next.mapSize = mapSize;
    // The zoom is how the user looks at the drawing, as the wheel sets it, and Undo leaves it alone: a
    // new zoom alone stores but changes nothing.
    bool changed =
        next.snapIndex != stored->snapIndex || next.snapOn != stored->snapOn || next.mapSize != stored->mapSize;
    *stored = next;
    return changed ? SaveOutcome::Changed : SaveOutcome::Unchanged;
}

DrawOptions WithUsableGrid(DrawOptions options) {
    while (SnapZoomRefused(options.snapIndex, options.zoomIndex) && options.snapIndex < SnapStepCount - 1)
        options.snapIndex++;
    return options;
}
