// The calculation a report rests on, run on a worker thread behind the modal "Calculation..." dialog,
// whose Close stops it.
#pragma once

#include <windows.h>

#include "report/report_run.h"

enum class ReportRunOutcome { done, stopped, failed };

ReportRunOutcome CalculateReportWithProgress(HWND owner, const Drawing& drawing, ReportCalculation* calculation);
