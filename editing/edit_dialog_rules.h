// What Save does in the dialogs of the editing tools: which typed values are taken, and what counts as
// a change of the drawing. The dialogs only read their fields and show what these give back.
#pragma once

#include <cstdint>

#include "editing/tool_actions.h"
#include "model/drawing_change.h"
#include "model/drawing.h"
#include "model/height_limit.h"
#include "text/number_field.h"

// The heights the dialogs take, named as their fields are labelled.
constexpr NumberRange NewVertexHeightRange = {"Vertex's height [m]", 0.0, MaxVertexHeight};
constexpr NumberRange VertexHeightRange = {"Height of vertex [m]", 0.0, MaxVertexHeight};

// A priority index as the lists give it, brought into 0..9.
int32_t ClampPriority(int32_t priority);

// The new-vertex dialog: a height in its range and a name that is not empty, cut to 99 bytes. False,
// changing nothing, otherwise.
bool ReadNewVertexFields(char* heightText, const char* nameText, int32_t priority, VertexAnswer* answer);

bool VertexExists(const PolygonStore& store, int32_t polygon, int32_t vertex);

// The height dialog: refused for a text that is no number in the range, changing nothing. A height other
// than the stored one marks the drawing modified.
SaveOutcome SaveVertexHeight(Drawing* target, int32_t polygon, int32_t vertex, char* text);

// The polygon options dialog: refused for an empty name (the field shows the stored name again). A new
// priority changes what is drawn on top, so it discards the results; a new name only marks the
// drawing modified, so that Close asks before it is lost.
SaveOutcome SavePolygonOptions(Drawing* target, int32_t polygon, int32_t priority, const char* name);
