// The "Structure" dialog: the location factor, the withstand voltage and the incoming lines of the
// structure whose first polygon is firstPolygon. What the user confirms is one undoable change.
#pragma once

#include <windows.h>

#include <cstdint>

// True when the structure's settings changed (the change is already recorded and announced).
bool ShowStructureDialog(HWND owner, int32_t firstPolygon);
