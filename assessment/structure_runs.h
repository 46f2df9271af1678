// The assessment of a whole drawing: its structures found, each calculated alone by the engine (so its
// Ad and Am are those of a drawing of only its polygons), its location factor suggested by the others,
// and its events.
#pragma once

#include "assessment/assessment_records.h"
#include "engine/run/calc_run.h"
#include "model/drawing.h"

// The drawing-wide settings of the drawing with the overrides applied. A flash density given for the
// run replaces both stored ones.
AssessmentSettings SettingsInForce(const AssessmentSettings& stored, const AssessOverrides& overrides);

// The calculation input of a structure, as a drawing of only its polygons would give it.
CalcInput StructureCalcInput(const PolygonStore& polygons, const Structure& structure);

// Assesses every structure, each in a calculation run of its own; threads bounds how many run at once
// (0: every core). The result does not depend on it. A structure that cannot be calculated is marked
// with its error; the others still are. A watch, when given, counts finished structures as its progress
// steps, and once its stop is requested the structures not yet begun are marked as stopped.
AssessmentResult AssessDrawing(const Drawing& source, const AssessOverrides& overrides, int32_t threads = 0,
                               CalcRun* watch = nullptr);
