#include "model/drawing_change.h"

void MarkDrawingChanged(Drawing* target) {
    target->modified = 1;
}
