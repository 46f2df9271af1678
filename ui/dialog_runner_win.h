// The one way the program shows a modal dialog of its resources.
#pragma once

#include <windows.h>

// Runs the dialog and gives its result. A dialog that cannot be created (-1) is told to the user, so
// that it never passes for a cancel.
INT_PTR RunDialog(HWND owner, int resource, DLGPROC procedure, LPARAM parameter = 0);
