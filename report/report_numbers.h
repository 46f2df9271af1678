// How the report writes numbers: areas and lengths with their thousands separated by a no-break space
// (so a table cell never breaks inside one), events per year to three significant digits.
#pragma once

#include <string>

extern const char* const kThousandsSeparator;  // U+00A0, no-break space

// value rounded to that many decimals, the whole part in groups of three: 22309.4 -> "22 309.4".
std::string GroupedNumber(double value, int decimals);

// A factor, a length or a density as given, to at most six significant digits, grouped from 1000 up:
// 0.5 -> "0.5", 233.3333 -> "233.333", 1000 -> "1 000", 1234.56 -> "1 234.6".
std::string PlainNumber(double value);

// Three significant digits (whole numbers from 100 up), as a plain decimal from 0.0001 up and in powers
// of ten below:
// 0.08924 -> "0.0892", 12.345 -> "12.3", 0.00002 -> "2.00·10^-5"; 0 -> "0".
std::string EventsNumber(double value);
