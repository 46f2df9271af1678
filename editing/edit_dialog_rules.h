// What Save does in the dialogs of the editing tools: which typed values are taken, and what counts as
// a change of the drawing. The dialogs only read their fields and show what these give back.
#pragma once

#include <cstdint>
#include <string>

#include "editing/tool_actions.h"
#include "model/drawing.h"
#include "model/drawing_change.h"
#include "model/height_limit.h"
#include "text/number_field.h"

// The heights the dialogs take, named as their fields are labelled.
constexpr NumberRange NewVertexHeightRange = {"Vertex's height [m]", 0.0, MaxVertexHeight};
constexpr NumberRange VertexHeightRange = {"Height of vertex [m]", 0.0, MaxVertexHeight};
constexpr NumberRange ImportHeightRange = {"Height where the file gives none [m]", 0.0, MaxVertexHeight};

// The fields these dialogs can refuse, as a Refusal numbers them.
enum EditField { HeightField, NameField };

// A height as the dialogs show it, with two decimals; left untouched, it stands for the height itself.
std::string HeightText(double height);

// A priority index as the lists give it, brought into 0..9.
int32_t ClampPriority(int32_t priority);

// The new-vertex dialog: a height in its range and a name that is not empty, cut to 99 bytes. False,
// changing nothing and saying why in refusal, otherwise. The proposed height it showed stays exact.
bool ReadNewVertexFields(const char* heightText, const char* nameText, int32_t priority, VertexAnswer* answer,
                         Refusal* refusal = nullptr);

bool VertexExists(const PolygonStore& store, int32_t polygon, int32_t vertex);

// The height dialog: refused for a text that is no number in the range, changing nothing. A height other
// than the stored one marks the drawing modified.
SaveOutcome SaveVertexHeight(Drawing* target, int32_t polygon, int32_t vertex, const char* text,
                             Refusal* refusal = nullptr);

// The polygon options dialog: refused for an empty name. A new priority changes what is drawn on top, so
// it discards the results; a new name only marks the drawing modified, so that Close asks before it is
// lost.
SaveOutcome SavePolygonOptions(Drawing* target, int32_t polygon, int32_t priority, const char* name,
                               Refusal* refusal = nullptr);

// The import's height for footprints that carry none: height holds the proposal and takes the answer.
bool ReadImportHeight(const char* text, double* height, Refusal* refusal);
