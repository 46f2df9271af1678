// Options > Draw: snapping, the snap step, the zoom and the map size.
#pragma once

#include <windows.h>

void ShowDrawOptionsDialog(HWND owner);
