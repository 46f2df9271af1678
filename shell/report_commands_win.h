// File > Export report... and File > Print...: the calculation report of the open drawing as a PDF file
// or on a printer.
#pragma once

#include <windows.h>

void ExportReportCommand(HWND window);
void PrintReportCommand(HWND window);
