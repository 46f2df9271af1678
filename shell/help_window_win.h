// The user guide in a scrolling window of its own; each Help command opens another one.
#pragma once

#include <windows.h>

HWND OpenHelpWindow(HWND owner);
