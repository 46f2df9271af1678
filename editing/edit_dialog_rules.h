// What Save does in the dialogs of the editing tools: which typed values are taken, and what counts as
// a change of the drawing. The dialogs only read their fields and show what these give back.
#pragma once

#include <cstdint>

#include "editing/tool_actions.h"
#include "engine/drawing_change.h"
#include "model/drawing.h"

// A priority index as the lists give it, brought into 0..9.
int32_t ClampPriority(int32_t priority);

// The new-vertex dialog: a height that is a decimal (stored by the height rule) and a name that is not
// empty, cut to 99 bytes. False, changing nothing, otherwise: the dialog shows its height again.
bool ReadNewVertexFields(char* heightText, const char* nameText, int32_t priority, VertexAnswer* answer);

bool VertexExists(const PolygonStore& store, int32_t polygon, int32_t vertex);

// The height dialog: refused for a text that is no decimal (the field shows the stored height again). A
// height other than the stored one discards the results and marks the drawing modified.
SaveOutcome SaveVertexHeight(Drawing* target, int32_t polygon, int32_t vertex, char* text);

// The polygon options dialog: refused for an empty name (the field shows the stored name again). A new
// priority changes what is drawn on top, so it discards the results; a new name only marks the
// drawing modified, so that Close asks before it is lost.
SaveOutcome SavePolygonOptions(Drawing* target, int32_t polygon, int32_t priority, const char* name);
