// Printing the report: the system's print dialog, then every page drawn through GDI on the printer.
#pragma once

#include <windows.h>

#include <string>

#include "report/page_description.h"

enum class PrintOutcome { printed, cancelled, failed };

// Asks for the printer with the system's dialog (owned by owner) and prints the pages as one job.
PrintOutcome PrintPages(HWND owner, const PageDescription& pages, const std::string& jobName);

// Prints the pages as one job on a printer's device context that the caller owns.
bool PrintPagesOn(HDC printer, const PageDescription& pages, const std::string& jobName);
