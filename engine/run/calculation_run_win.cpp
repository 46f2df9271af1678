#include "engine/run/calculation_run_win.h"

#include <commctrl.h>
#include <process.h>

#include <atomic>
#include <memory>
#include <utility>

#include "engine/construction/ad_am_outlines.h"
#include "engine/run/memory_estimate.h"
#include "engine/run/out_of_memory.h"
#include "resources/resource.h"
#include "text/ui_texts.h"
#include "ui/dialog_runner_win.h"
#include "ui/gdi_guards_win.h"
#include "ui/prompt_win.h"

namespace {

constexpr UINT WM_APP_CALCULATION_DONE = WM_APP + 1;

// One calculation as the dialog, its supervisor and the worker share it.
struct CalculationJob {
    CalculationJob(const Drawing& source)
        : input(MakeCalcInput(source)),
          options(source.calcOptions),
          run([this](int32_t position, int32_t total) { SendProgress(position, total); }) {}

    // Runs on the worker thread; the progress bar belongs to the dialog's thread, which processes the
    // sent messages while its modal loop waits. The 32-bit range keeps large drawings from wrapping.
    void SendProgress(int32_t position, int32_t total) {
        if (position == 0)
            SendDlgItemMessageA(dialog, IDC_PROGRESS_BAR, PBM_SETRANGE32, 0, total);
        SendDlgItemMessageA(dialog, IDC_PROGRESS_BAR, PBM_SETPOS, position, 0);
    }

    CalcInput input;
    CalcOptions options;
    CalcRun run;
    HWND dialog = nullptr;
    std::atomic<bool> completed{false};  // written by the worker, read once the dialog has gone
};

unsigned __stdcall CalculationWorker(void* parameter) {
    CalculationJob* job = static_cast<CalculationJob*>(parameter);
    HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    job->completed = ComputeAdAm(&job->input, job->options, &job->run);
    SetCursor(previous ? previous : LoadCursorA(nullptr, IDC_ARROW));
    return 0;
}

// Waits for the worker, then asks the dialog to end itself: EndDialog belongs to the dialog's thread.
unsigned __stdcall CalculationSupervisor(void* parameter) {
    CalculationJob* job = static_cast<CalculationJob*>(parameter);
    OwnedHandle worker(reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, CalculationWorker, job, 0, nullptr)));
    if (worker.handle)
        WaitForMultipleObjects(1, &worker.handle, TRUE, INFINITE);
    PostMessageA(job->dialog, WM_APP_CALCULATION_DONE, 0, 0);
    return 0;
}

// The supervisor starts only once the dialog exists, so the first progress message has a window.
INT_PTR CALLBACK ProgressDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    CalculationJob* job = reinterpret_cast<CalculationJob*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (msg) {
        case WM_INITDIALOG: {
            job = reinterpret_cast<CalculationJob*>(lParam);
            SetWindowLongPtrA(dialog, DWLP_USER, lParam);
            job->dialog = dialog;
            OwnedHandle supervisor(
                reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, CalculationSupervisor, job, 0, nullptr)));
            if (!supervisor.handle)
                EndDialog(dialog, IDD_PROGRESS);
            return TRUE;
        }
        case WM_COMMAND:
            if (LOWORD(wParam) != IDC_PROGRESS_CLOSE || !job)
                return FALSE;
            job->run.requestStop();  // the dialog stays until the worker has seen it and finished
            return TRUE;
        case WM_APP_CALCULATION_DONE: EndDialog(dialog, IDD_PROGRESS); return TRUE;
    }
    return FALSE;
}

}  // namespace

bool ConfirmNeighbours(HWND owner, const Drawing& source) {
    if (source.polygons.count() == 0)
        return false;
    int32_t outer = 0;
    if (PolygonsAreNeighbours(MakeCalcInput(source), &outer))
        return true;
    return AskYesNo(owner, TEXT_NOT_NEIGHBOURS);
}

// The failure is told once the dialog has gone, on the window's own thread.
CalcOutcome StartCalculation(HWND owner, const Drawing& source, CalcResult* result) {
    ClearResult(result);
    // A drawing that surely cannot fit is refused with the figures, before anything slow, rather than
    // left to run out.
    MemoryNeed need;
    if (BeyondMemory(source, AvailableMemoryBytes(), &need)) {
        Warn(owner, (TEXT_CALCULATION_FAILED "\n" + BeyondMemoryText(need)).c_str());
        return CalcOutcome::Failed;
    }
    if (!ConfirmNeighbours(owner, source))
        return CalcOutcome::NotRun;
    std::unique_ptr<CalculationJob> job;
    if (!WithinMemory([&] { job = std::make_unique<CalculationJob>(source); })) {
        Warn(owner, TEXT_CALCULATION_FAILED "\n" TEXT_OUT_OF_MEMORY);
        return CalcOutcome::Failed;
    }
    if (RunDialog(owner, IDD_PROGRESS, ProgressDialogProc, reinterpret_cast<LPARAM>(job.get())) == -1)
        return CalcOutcome::NotRun;
    if (job->completed) {
        *result = std::move(job->run.result);
        return CalcOutcome::Completed;
    }
    if (job->run.outOfMemory) {
        Warn(owner, TEXT_CALCULATION_FAILED "\n" TEXT_OUT_OF_MEMORY);
        return CalcOutcome::Failed;
    }
    // A stop the user asked for is no failure: the status line says so, and no message is shown.
    if (job->run.stopped())
        return CalcOutcome::Stopped;
    Warn(owner, TEXT_CALCULATION_FAILED);
    return CalcOutcome::Failed;
}
