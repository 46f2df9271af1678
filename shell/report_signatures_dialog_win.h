// The report's project, author and checker, asked before a report is exported or printed.
#pragma once

#include <windows.h>

#include "model/assessment_settings.h"

// Shows the fields prefilled from signatures and takes what the user typed into it; false on Cancel,
// leaving signatures as they were. Tests answer it instead.
using ReportSignaturesFn = bool (*)(HWND owner, ReportSignatures* signatures);
extern ReportSignaturesFn AskReportSignatures;
