// How a dialog reads a number typed into a field that has a range: all or nothing, never a value
// quietly changed into another.
#pragma once

#include <string>

struct NumberRange {
    const char* field;  // the field's label, as the dialog shows it
    double low, high;   // both allowed
};

// The typed text as a plain decimal number (a decimal comma counts as a point; spaces around it are
// left out) within the range. False, with value untouched, for anything else: an empty text, letters,
// an exponent, a second sign or point, a value outside the range.
bool ReadNumberField(const char* text, const NumberRange& range, double* value);

// Why a text was refused: the field and its range, as "Height [m] takes a number from 0 to 1000.".
std::string RangeMessage(const NumberRange& range);
