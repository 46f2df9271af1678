// Data > Import: footprints from a CAD plan (DXF) or a GIS layer (GeoJSON) as a new drawing.
#pragma once

#include <windows.h>

// Asks for the file to import; path (260 bytes) receives the name. False when the user cancels.
// Replaced by tests.
using ImportDialogFn = bool (*)(HWND owner, char* path);
extern ImportDialogFn AskImportFile;

// Reads the file, asks for a height where it gives none and whether to leave out footprints that fail
// the checks, then shows the imported drawing whole. True when the drawing was replaced.
bool ImportCommand(HWND owner);
