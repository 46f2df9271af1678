// What every change to a drawing's polygons or options brings with it.
#pragma once

#include "model/drawing.h"

// Close must offer to save the drawing; a result of the drawing as it was is no longer shown.
void MarkDrawingChanged(Drawing* target);

// What Save in a dialog that edits the drawing came to: the fields were refused (the dialog stays), or
// they were stored and did or did not change anything.
enum class SaveOutcome { Refused, Unchanged, Changed };
