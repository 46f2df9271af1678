// Heights as GIS attributes give them: 12, "12", "12 m", "12.5m", "12,5 m".
#pragma once

// A number, optionally followed by "m" or " m", with a decimal point or comma; false for anything else
// ("tall", "12 ft", "", "1e999") and for values that are not finite.
bool ReadHeightText(const char* text, double* metres);
