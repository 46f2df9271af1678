// A calculation of the whole drawing on worker threads behind the modal "Calculation..." dialog.
#pragma once

#include <windows.h>

// Asks whether to go on with polygons that do not form one footprint, then calculates while the
// progress dialog is up. True when the run took place, whether or not it completed (resultsValid says).
bool StartCalculation(HWND owner);

// False, without a word, for a drawing with no polygons; asks when the polygons are not neighbours.
bool ConfirmNeighbours(HWND owner);
