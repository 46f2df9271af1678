// The commands of the main window's menu and toolbar.
#pragma once

#include <windows.h>

void OnMainCommand(HWND window, int id);
