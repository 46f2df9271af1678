#include "shell/report_commands_win.h"

#include <string>
#include <vector>

#include "app/drawing_changes.h"
#include "app/edit_history.h"
#include "app/session.h"
#include "model/drawing.h"
#include "model/file_io.h"
#include "report/print_pages_win.h"
#include "report/report_run_win.h"
#include "shell/report_signatures_dialog_win.h"
#include "text/ui_texts.h"
#include "ui/app_windows_win.h"
#include "ui/file_dialog_win.h"
#include "ui/prompt_win.h"

namespace {

std::string DrawingName() {
    Session& session = SessionOf(mainWindow);
    std::string path = session.drawing.fileName;
    size_t slash = path.find_last_of("/\\");
    return path.empty() ? std::string(TEXT_UNTITLED_DRAWING) : path.substr(slash == std::string::npos ? 0 : slash + 1);
}

bool SomethingToReport(HWND window) {
    Session& session = SessionOf(mainWindow);
    if (session.drawing.isOpen && session.drawing.polygons.count() > 0)
        return true;
    Warn(window, TEXT_REPORT_NOTHING);
    return false;
}

// Asks for the project, author and checker, prefilled with the drawing's; what the user changed is kept
// in the drawing as an edit that can be undone. False on Cancel.
bool AskSignatures(HWND window) {
    Session& session = SessionOf(mainWindow);
    ReportSignatures signatures = session.drawing.assessment.signatures;
    if (!AskReportSignatures(window, &signatures))
        return false;
    const ReportSignatures& kept = session.drawing.assessment.signatures;
    if (signatures.project == kept.project && signatures.author == kept.author && signatures.checker == kept.checker)
        return true;
    session.drawing.assessment.signatures = signatures;
    session.drawing.assessment.present = 1;
    session.drawingChanges.commit(&session.editHistory, &session.drawing);
    return true;
}

// The calculation and the request of a report of the open drawing; false when the user stopped or the
// run failed, which is told here.
bool PrepareReport(HWND window, ReportCalculation* calculation, ReportRequest* request) {
    Session& session = SessionOf(mainWindow);
    switch (CalculateReportWithProgress(window, session.drawing, calculation)) {
        case ReportRunOutcome::stopped: return false;
        case ReportRunOutcome::failed: Warn(window, TEXT_CALCULATION_FAILED); return false;
        case ReportRunOutcome::done: break;
    }
    request->signatures = session.drawing.assessment.signatures;
    request->fileName = DrawingName();
    request->dateTime = ReportDateTime();
    request->footprintSource = FootprintSourceOf(session.drawing);
    return true;
}

bool ShowReportDialog(HWND owner, char* path) {
    return ShowFileDialog(owner, {TEXT_REPORT_FILTER, TEXT_REPORT_EXTENSION, true}, path) != 0;
}

bool ShowPrintFileDialog(HWND owner, char* path) {
    return ShowFileDialog(owner, {TEXT_PRINT_FILE_FILTER, TEXT_PRINT_FILE_EXTENSION, true}, path) != 0;
}

}  // namespace

ReportFileDialogFn AskReportFileName = ShowReportDialog;
ReportFileDialogFn AskPrintFileName = ShowPrintFileDialog;

void ExportReportCommand(HWND window) {
    Session& session = SessionOf(mainWindow);
    char path[FileNameSize] = {};
    if (!SomethingToReport(window) || !AskSignatures(window) || !AskReportFileName(window, path))
        return;
    ReportCalculation calculation;
    ReportRequest request;
    if (!PrepareReport(window, &calculation, &request))
        return;
    std::vector<uint8_t> bytes;
    if (!ReportPdf(session.drawing, calculation, request, &bytes) || !WriteFileAtomically(path, bytes))
        Prompt(window, TEXT_REPORT_NOT_WRITTEN, TEXT_FAILED, MB_OK);
}

void PrintReportCommand(HWND window) {
    Session& session = SessionOf(mainWindow);
    if (!SomethingToReport(window) || !AskSignatures(window))
        return;
    bool failed = false, toFile = false;
    HDC printer = ChoosePrinter(window, &toFile, &failed);
    // The program asks for the file itself and hands it to the job: left to the system, the job goes to a
    // port called "FILE:", which Windows answers with a question of its own but Wine takes for the name
    // of a file in whatever folder the program was started from.
    char outputFile[FileNameSize] = {};
    if (printer && toFile && !AskPrintFileName(window, outputFile)) {
        DeleteDC(printer);
        return;
    }
    PrintOutcome outcome = PrintOutcome::failed;
    if (printer) {
        ReportCalculation calculation;
        ReportRequest request;
        if (!PrepareReport(window, &calculation, &request)) {
            DeleteDC(printer);
            return;
        }
        PdfTypesetter typesetter;
        if (typesetter.Ready())
            outcome = PrintPagesOn(printer, ReportPages(session.drawing, calculation, request, typesetter),
                                   request.fileName, outputFile);
        DeleteDC(printer);
    }
    if (failed || (printer && outcome == PrintOutcome::failed))
        Prompt(window, TEXT_REPORT_NOT_PRINTED, TEXT_FAILED, MB_OK);
}
