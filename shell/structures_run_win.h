// The Structures window's calculation: the assessment of a copy of the drawing on a worker thread, so
// that the window and the main window stay in use; its progress and its end reach the window as
// posted messages.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "assessment/assessment_records.h"
#include "model/drawing.h"

// Posted to the window: wParam the position, lParam the total of the run's progress.
constexpr UINT WM_APP_STRUCTURES_PROGRESS = WM_APP + 40;
// Posted to the window when a run has ended; lParam is its ticket (the low 32 bits).
constexpr UINT WM_APP_STRUCTURES_DONE = WM_APP + 41;

struct StructuresJob;

class StructuresRun {
  public:
    StructuresRun() = default;
    StructuresRun(const StructuresRun&) = delete;
    StructuresRun& operator=(const StructuresRun&) = delete;
    // A run still going is stopped, and waited for a moment, so that it does not outlive the program.
    ~StructuresRun();

    // Starts the assessment of a copy of source; a run still going is stopped first. False when the
    // thread cannot start or memory runs out.
    bool start(HWND window, const Drawing& source, int64_t ticket);
    void stop();
    bool running() const;
    double secondsSoFar() const;

    // After WM_APP_STRUCTURES_DONE for ticket: the result, whether it was stopped, how long it took;
    // false when the message was of an earlier run.
    bool take(int64_t ticket, AssessmentResult* result, bool* stopped, double* seconds);

  private:
    std::shared_ptr<StructuresJob> job;
};
