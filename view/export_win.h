// Data > Export Draw: the shown result view written as an enhanced metafile or a 32-bit BMP, or its
// outline with the footprint as DXF or GeoJSON for CAD and GIS.
#pragma once

#include <windows.h>

// Asks for the file and writes it; the filter chosen in the dialog decides the type, not the name.
// False when nothing was written (a cancelled dialog, an unwritable place, a failed class).
bool ExportDrawing();

// In the order of the dialog's filters.
// Edit > Copy picture: the shown result view on the clipboard as an enhanced metafile and as a bitmap,
// the same pictures as the export. False, after telling the user, when the clipboard did not take them.
bool CopyPicture();

enum class ExportType { None = 0, Metafile = 1, Bitmap = 2, Dxf = 3, GeoJson = 4 };

// Asks for the export file; path (MAX_PATH bytes) receives the name. Replaced by tests.
using ExportDialogFn = ExportType (*)(char* path);
extern ExportDialogFn AskExportFile;
