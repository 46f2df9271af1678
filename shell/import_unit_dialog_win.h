// The unit of a DXF drawing whose header declares none the import knows, asked before it is read again.
#pragma once

#include <windows.h>

#include <string>

#include "exchange/dxf_units.h"

// Shows why the unit is asked and lets the user pick one of the DXF units; null when the user abandons
// the import.
using ImportUnitDialogFn = const DxfUnit* (*)(HWND owner, const std::string& reason);
extern ImportUnitDialogFn AskImportUnit;
