#include "options/simplified_areas.h"

#include <cmath>

#include "text/decimal_text.h"

// The products are formed in a fixed order so that the last digits never depend on the compiler.
SimplifiedResult SimplifiedAreas(double length, double width, double minHeight, double maxHeight, double k, double d) {
    const double pi = 4 * std::atan(1.0);
    double rectangle = length * width + 2 * k * minHeight * (length + width) + ((k * pi) * k) * minHeight * minHeight;
    double protrusion = (k * k * pi) * maxHeight * maxHeight;
    double ad = (protrusion >= rectangle ? protrusion : rectangle) * 1e-6;
    double am = (2 * d * (length + width) + (pi * d) * d) * 1e-6;
    return {ad, am};
}

bool ReadSimplifiedField(char* text, bool zeroAllowed, double* value) {
    if (!CheckDecimalText(text))
        return false;
    *value = ReadDecimal(text);
    return zeroAllowed ? *value >= 0 : *value > 0;
}
