// Printing the report: the system's print dialog, then every page drawn through GDI on the printer.
#pragma once

#include <windows.h>

#include <string>

#include "report/page_description.h"

// The printer the user chooses in the system's print dialog (owned by owner), as a device context the
// caller deletes; null when the user cancels or the printer cannot be opened (failed tells which).
// toFile says whether the user ticked "Print to file".
HDC ChoosePrinter(HWND owner, bool* toFile, bool* failed);

enum class PrintOutcome { printed, cancelled, failed };

// Prints the pages as one job on a printer's device context that the caller owns; into outputFile
// (UTF-8) instead of the printer's port when one is given.
PrintOutcome PrintPagesOn(HDC printer, const PageDescription& pages, const std::string& jobName,
                          const std::string& outputFile);
