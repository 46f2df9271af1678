// The tallest vertex the program accepts, wherever a height enters: typed in a dialog, read from a
// drawing file, imported from CAD or GIS, or handed to the calculation.
#pragma once

// No structure the standard's method is meant for comes near it (the tallest buildings and masts on
// Earth stay under 1 km), and it keeps K x height and D far inside the clipper's exact integer range.
constexpr double MaxVertexHeight = 1000.0;  // metres
