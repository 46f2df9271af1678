// The one way the program registers a window class of its own.
#pragma once

#include <windows.h>

struct WindowClassSpec {
    const char* name;
    WNDPROC procedure;
    HBRUSH background;
    UINT style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    bool programIcon = false;    // the program's icon in the caption and the task bar
    bool arrowCursor = true;     // without, the window sets its cursor itself at every move
    const char* menu = nullptr;  // a menu resource
};

// Registers the class in this module; true also when it is registered already.
bool RegisterWindowClass(const WindowClassSpec& request);
