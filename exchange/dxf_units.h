// The length units a DXF drawing declares in its header ($INSUNITS), and the names a user gives them.
#pragma once

#include <string>

struct DxfUnit {
    int code;            // the $INSUNITS value
    double metres;       // metres per drawing unit, exact where the unit is defined exactly
    const char* name;    // for the import summary, e.g. "US survey feet"
    const char* option;  // what a user types for it, e.g. "us-ft"
};

// The unit of a declared code; null for a code that no unit has. Code 0 ("unitless") has none either.
const DxfUnit* DxfUnitOfCode(int code);

// The unit a user names by its short name ("mm", "ft", "us-ft") or its code ("4"); null when unknown.
const DxfUnit* DxfUnitNamed(const std::string& text);

// The short names of every unit, separated by '|', for usage texts.
std::string DxfUnitChoices();

// Every unit, in the order of their codes, ending with an entry whose name is null.
const DxfUnit* DxfUnits();

// Reads a $INSUNITS value: a whole number in the range of a 16-bit group, with nothing else but blanks.
// "1e9", "x" and "2147483648" are no code.
bool ReadUnitCode(const std::string& value, int* code);
