// Options > Calculation: the height projection and the distance projection.
#pragma once

#include <windows.h>

void ShowCalcOptionsDialog(HWND owner);
