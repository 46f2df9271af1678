#include "report/report_run_win.h"

#include <commctrl.h>
#include <process.h>

#include "resources/resource.h"
#include "ui/dialog_runner_win.h"
#include "ui/gdi_guards_win.h"

namespace {

constexpr UINT WM_APP_REPORT_CALCULATED = WM_APP + 2;

// What the dialog and its worker share; the dialog's parameter.
struct ReportJob {
    const Drawing* drawing;
    ReportCalculation* calculation;
    HWND dialog = nullptr;
    bool started = false;
};

HWND progressDialog = nullptr;  // the sink below has no parameter of its own

// From the worker: each structure's run starts the bar again, so it shows the current structure.
void SendProgress(int32_t position, int32_t total) {
    if (position == 0)
        SendDlgItemMessageA(progressDialog, IDC_PROGRESS_BAR, PBM_SETRANGE32, 0, total);
    SendDlgItemMessageA(progressDialog, IDC_PROGRESS_BAR, PBM_SETPOS, position, 0);
}

unsigned __stdcall ReportWorker(void* parameter) {
    ReportJob* job = static_cast<ReportJob*>(parameter);
    *job->calculation = CalculateReport(*job->drawing, AssessOverrides(), 0);
    PostMessageA(job->dialog, WM_APP_REPORT_CALCULATED, 0, 0);
    return 0;
}

INT_PTR CALLBACK ReportProgressProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_INITDIALOG: {
            ReportJob* job = reinterpret_cast<ReportJob*>(lParam);
            job->dialog = dialog;
            progressDialog = dialog;
            OwnedHandle worker(reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, ReportWorker, job, 0, nullptr)));
            job->started = worker.handle != nullptr;
            if (!job->started)
                EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        case WM_COMMAND:
            if (LOWORD(wParam) != IDC_PROGRESS_CLOSE)
                return FALSE;
            stopRequested = 1;  // the dialog stays until the worker has seen it and finished
            return TRUE;
        case WM_APP_REPORT_CALCULATED: EndDialog(dialog, IDOK); return TRUE;
    }
    return FALSE;
}

}  // namespace

ReportRunOutcome CalculateReportWithProgress(HWND owner, const Drawing& drawing, ReportCalculation* calculation) {
    ReportJob job{&drawing, calculation};
    stopRequested = 0;
    SetProgressSink(SendProgress);
    INT_PTR shown = RunDialog(owner, IDD_PROGRESS, ReportProgressProc, reinterpret_cast<LPARAM>(&job));
    SetProgressSink(nullptr);
    progressDialog = nullptr;
    bool stopped = stopRequested != 0;
    stopRequested = 0;
    if (shown != IDOK || !job.started)
        return ReportRunOutcome::failed;
    return stopped ? ReportRunOutcome::stopped : ReportRunOutcome::done;
}
