// Ad and Am in closed form for a rectangular structure with an optional taller protrusion.
#pragma once

#include "text/number_field.h"

struct SimplifiedResult {
    double ad;  // km^2
    double am;  // km^2
};

// The rectangle at the minimum height, or the protrusion alone when that gives more; Am depends on the
// footprint's sides only.
SimplifiedResult SimplifiedAreas(double length, double width, double minHeight, double maxHeight, double k, double d);

// The four values of the calculation, in the order the dialog shows them, top to bottom.
enum SimplifiedField { WidthField, LengthField, MinHeightField, MaxHeightField, SimplifiedFieldCount };

// A footprint has sides and the structure a height; only the protrusion may be missing (0). The heights
// end where a vertex's do.
const NumberRange& SimplifiedFieldRange(int field);

struct SimplifiedInput {
    double length = 0.0, width = 0.0, minHeight = 0.0, maxHeight = 0.0;
};

// Reads the texts of the four fields, numbered as SimplifiedField: all or nothing, the first refused
// field from the top told, input untouched.
bool ReadSimplifiedFields(const char* const texts[SimplifiedFieldCount], SimplifiedInput* input, Refusal* refusal);
