// The "Line" dialog: one incoming line of a structure, with the structure at its far end.
#pragma once

#include <windows.h>

#include "model/assessment_settings.h"

// Shows line and, on OK, replaces it with what was typed; false (line untouched) on Cancel.
bool ShowLineDialog(HWND owner, LineSettings* line);
