#include "report/report_run_win.h"

#include <commctrl.h>
#include <process.h>

#include "resources/resource.h"
#include "ui/dialog_runner_win.h"
#include "ui/dialog_state_win.h"
#include "ui/gdi_guards_win.h"

namespace {

constexpr UINT WM_APP_REPORT_CALCULATED = WM_APP + 2;

// What the dialog and its worker share; the dialog's parameter. The run counts finished structures, then
// the steps of the whole drawing's calculation, and carries the Stop.
struct ReportJob {
    ReportJob(const Drawing* drawing, ReportCalculation* calculation)
        : drawing(drawing), calculation(calculation), run([this](int32_t position, int32_t total) {
              if (position == 0)
                  SendDlgItemMessageA(dialog, IDC_PROGRESS_BAR, PBM_SETRANGE32, 0, total);
              SendDlgItemMessageA(dialog, IDC_PROGRESS_BAR, PBM_SETPOS, position, 0);
          }) {}
    const Drawing* drawing;
    ReportCalculation* calculation;
    HWND dialog = nullptr;
    bool started = false;
    CalcRun run;
};

unsigned __stdcall ReportWorker(void* parameter) {
    ReportJob* job = static_cast<ReportJob*>(parameter);
    *job->calculation = CalculateReport(*job->drawing, AssessOverrides(), 0, &job->run);
    PostMessageA(job->dialog, WM_APP_REPORT_CALCULATED, 0, 0);
    return 0;
}

INT_PTR CALLBACK ReportProgressProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    ReportJob* job = DialogState<ReportJob>(dialog, msg, lParam);
    switch (msg) {
        case WM_INITDIALOG: {
            job->dialog = dialog;
            OwnedHandle worker(reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, ReportWorker, job, 0, nullptr)));
            job->started = worker.handle != nullptr;
            if (!job->started)
                EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        case WM_COMMAND:
            if (LOWORD(wParam) != IDC_PROGRESS_CLOSE || !job)
                return FALSE;
            // The dialog stays until the worker has seen the stop and finished.
            job->run.requestStop();
            return TRUE;
        case WM_APP_REPORT_CALCULATED: EndDialog(dialog, IDOK); return TRUE;
    }
    return FALSE;
}

}  // namespace

ReportRunOutcome CalculateReportWithProgress(HWND owner, const Drawing& drawing, ReportCalculation* calculation) {
    ReportJob job(&drawing, calculation);
    INT_PTR shown = RunDialog(owner, IDD_PROGRESS, ReportProgressProc, reinterpret_cast<LPARAM>(&job));
    bool stopped = job.run.stopped();
    if (shown != IDOK || !job.started)
        return ReportRunOutcome::failed;
    return stopped ? ReportRunOutcome::stopped : ReportRunOutcome::done;
}
