// What every change to a drawing's polygons or options brings with it, as the core's editing rules see
// it. The program's own change path (recording the undo step, telling the windows) lies above, in app/.
#pragma once

#include "model/drawing.h"

// Close must offer to save the drawing; the undo step recorded after the change confirms or clears it.
void MarkDrawingChanged(Drawing* target);

// What Save in a dialog that edits the drawing came to: the fields were refused (the dialog stays), or
// they were stored and did or did not change anything.
enum class SaveOutcome { Refused, Unchanged, Changed };
