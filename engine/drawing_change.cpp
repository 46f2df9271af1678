#include "engine/drawing_change.h"

#include "engine/calc_records.h"

void MarkDrawingChanged(Drawing* target) {
    DiscardResults();
    target->modified = 1;
}
