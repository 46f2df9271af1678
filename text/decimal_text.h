// How every dialog reads a decimal number typed into an edit field.
#pragma once

#include <string>

// Checks the text and rewrites it in place: decimal commas become points. Fails an empty text, more
// than one point, and any character outside + , - . and the digits.
bool CheckDecimalText(char* text);

// For a text that passed the check: the value of the longest leading part that forms a decimal number
// with an optional sign; 0 when there is none. "1-2" reads as 1.
double ReadDecimal(const char* text);

// value with that many decimals, as a field shows it: the whole text, however large the value.
std::string DecimalText(double value, int decimals);
