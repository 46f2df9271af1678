// The About box: the program's name and the standard it follows.
#pragma once

#include <windows.h>

void ShowAboutDialog(HWND owner);
