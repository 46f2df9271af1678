// Ad and Am in closed form for a rectangular structure with an optional taller protrusion.
#pragma once

struct SimplifiedResult {
    double ad;  // km^2
    double am;  // km^2
};

// The rectangle at the minimum height, or the protrusion alone when that gives more; Am depends on the
// footprint's sides only.
SimplifiedResult SimplifiedAreas(double length, double width, double minHeight, double maxHeight, double k, double d);

// Reads one field of the simplified calculation: the text must pass the decimal check and the value be
// greater than 0, or at least 0 where zero is allowed (the maximum height). The value read is stored
// even when it is out of range.
bool ReadSimplifiedField(char* text, bool zeroAllowed, double* value);
