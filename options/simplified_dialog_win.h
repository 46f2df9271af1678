// Tool > Simplified calculation: Ad and Am of a rectangle in closed form, with the current options.
#pragma once

#include <windows.h>

void ShowSimplifiedDialog(HWND owner);
