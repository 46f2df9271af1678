// File > Export report... and File > Print...: the calculation report of the open drawing as a PDF file
// or on a printer.
#pragma once

#include <windows.h>

void ExportReportCommand(HWND window);

// The save dialog of Export report: the chosen name in path (FileNameSize bytes); false on cancel.
// Tests answer it instead.
using ReportFileDialogFn = bool (*)(HWND owner, char* path);
extern ReportFileDialogFn AskReportFileName;

// The save dialog for the printer's output when the user ticked "Print to file"; the same form.
extern ReportFileDialogFn AskPrintFileName;
void PrintReportCommand(HWND window);
