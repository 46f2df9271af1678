// The "Assessment" dialog: the edition and the drawing-wide values of the dangerous-event assessment.
#pragma once

#include <windows.h>

// True when the values changed (the change is already recorded and announced).
bool ShowAssessmentDialog(HWND owner);
