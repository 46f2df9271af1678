#include "engine/calculation_run_win.h"

#include <commctrl.h>
#include <process.h>

#include <atomic>

#include "engine/ad_am_outlines.h"
#include "engine/out_of_memory.h"
#include "model/drawing.h"
#include "resources/resource.h"
#include "text/ui_texts.h"
#include "ui/dialog_runner_win.h"
#include "ui/gdi_guards_win.h"
#include "ui/prompt_win.h"

namespace {

constexpr UINT WM_APP_CALCULATION_DONE = WM_APP + 1;

HWND progressDialog = nullptr;
std::atomic<bool> calculationFailed{false};  // written by the worker threads, read by the window

// Runs on the worker thread; the progress bar belongs to the dialog's thread, which processes the
// sent messages while its modal loop waits. The 32-bit range keeps large drawings from wrapping.
void SendProgress(int32_t position, int32_t total) {
    if (position == 0)
        SendDlgItemMessageA(progressDialog, IDC_PROGRESS_BAR, PBM_SETRANGE32, 0, total);
    SendDlgItemMessageA(progressDialog, IDC_PROGRESS_BAR, PBM_SETPOS, position, 0);
}

// Fills the one result; a failed or stopped run leaves no result and zero areas.
bool CalculateInWorker() {
    if (drawing.polygons.count() == 0)
        return false;
    ClearResult(&calcResult);
    CalcInput input;
    if (!WithinMemory([&] { input = MakeCalcInput(drawing); })) {
        calculationFailed = true;
        return true;
    }
    HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    calculationFailed = !ComputeAdAm(&input, drawing.calcOptions, &calcResult);
    if (calculationFailed)
        ClearResult(&calcResult);
    SetCursor(previous ? previous : LoadCursorA(nullptr, IDC_ARROW));
    return true;
}

unsigned __stdcall CalculationWorker(void*) {
    CalculateInWorker();
    return 0;
}

// Waits for the worker, then asks the dialog to end itself: EndDialog belongs to the dialog's thread.
unsigned __stdcall CalculationSupervisor(void*) {
    OwnedHandle worker(reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, CalculationWorker, nullptr, 0, nullptr)));
    if (worker.handle) {
        WaitForMultipleObjects(1, &worker.handle, TRUE, INFINITE);
    } else {
        calculationFailed = true;
    }
    PostMessageA(progressDialog, WM_APP_CALCULATION_DONE, 0, 0);
    return 0;
}

// The supervisor starts only once the dialog exists, so the first progress message has a window.
INT_PTR CALLBACK ProgressDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM) {
    switch (msg) {
        case WM_INITDIALOG: {
            progressDialog = dialog;
            OwnedHandle supervisor(
                reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, CalculationSupervisor, nullptr, 0, nullptr)));
            if (!supervisor.handle) {
                calculationFailed = true;
                EndDialog(dialog, IDD_PROGRESS);
            }
            return TRUE;
        }
        case WM_COMMAND:
            if (LOWORD(wParam) != IDC_PROGRESS_CLOSE)
                return FALSE;
            stopRequested = 1;  // the dialog stays until the worker has seen it and finished
            return TRUE;
        case WM_APP_CALCULATION_DONE: EndDialog(dialog, IDD_PROGRESS); return TRUE;
    }
    return FALSE;
}

}  // namespace

bool ConfirmNeighbours(HWND owner) {
    if (drawing.polygons.count() == 0)
        return false;
    int32_t outer = 0;
    if (PolygonsAreNeighbours(MakeCalcInput(drawing), &outer))
        return true;
    if (AskYesNo(owner, TEXT_NOT_NEIGHBOURS))
        return true;
    ClearResult(&calcResult);
    return false;
}

// The failure is told once the dialog has gone, on the window's own thread.
bool StartCalculation(HWND owner) {
    if (!ConfirmNeighbours(owner))
        return false;
    calculationFailed = false;
    outOfMemory = 0;
    resultsValid = 0;
    stopRequested = 0;  // cleared before the dialog can take a Close, so that no early Close is lost
    SetProgressSink(SendProgress);
    INT_PTR shown = RunDialog(owner, IDD_PROGRESS, ProgressDialogProc);
    SetProgressSink(nullptr);
    progressDialog = nullptr;
    if (shown != -1 && calculationFailed)
        Warn(owner, outOfMemory ? TEXT_CALCULATION_FAILED "\n" TEXT_OUT_OF_MEMORY : TEXT_CALCULATION_FAILED);
    return shown != -1;
}
