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

// For a field that shows its stored value rounded (a height with two decimals): the text left as it was
// shown keeps the stored value itself, so that Save on an untouched field never rounds a value away.
// Any other text is read as ReadNumberField reads it.
bool ReadShownNumber(const char* text, const std::string& shown, double stored, const NumberRange& range,
                     double* value);

// Why Save in a dialog stored nothing: the refused field, numbered as the dialog's rules number them,
// and the message that tells the user why. No field: nothing was refused.
struct Refusal {
    int field = -1;
    std::string message;
    explicit operator bool() const { return field >= 0; }
};

// The refusal of a field whose text is outside its range.
Refusal RefuseRange(int field, const NumberRange& range);
