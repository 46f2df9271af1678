// The height given to imported footprints that bring none of their own, asked once per import.
#pragma once

#include <windows.h>

// Proposes *height and takes the one typed; false when the user abandons the import.
bool AskImportHeight(HWND owner, double* height);
