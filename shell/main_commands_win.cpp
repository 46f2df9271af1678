#include "shell/main_commands_win.h"

#include <utility>

#include "app/drawing_changes.h"
#include "app/edit_history.h"
#include "app/main_modes.h"
#include "app/recent_files.h"
#include "app/session.h"
#include "app/shown_result.h"
#include "editing/edit_state.h"
#include "engine/checks/polygon_checks.h"
#include "engine/run/calculation_run_win.h"
#include "model/drawing.h"
#include "options/calc_options_dialog_win.h"
#include "options/draw_options_dialog_win.h"
#include "options/simplified_dialog_win.h"
#include "resources/resource.h"
#include "shell/about_dialog_win.h"
#include "shell/assessment_dialog_win.h"
#include "shell/file_commands_win.h"
#include "shell/help_window_win.h"
#include "shell/import_command_win.h"
#include "shell/main_layout_win.h"
#include "shell/main_window_win.h"
#include "shell/recent_files_win.h"
#include "shell/report_commands_win.h"
#include "shell/structures_window_win.h"
#include "text/ui_texts.h"
#include "ui/app_windows_win.h"
#include "ui/prompt_win.h"
#include "view/export_win.h"

namespace {

// An automatic check box toggles its own check when clicked; the mode record takes that over first,
// since the clicked button keeps the check its click gave it.
void TakeClickedCheck(HWND window, int id) {
    Session& session = SessionOf(mainWindow);
    ButtonState& button = session.mainModes.controls.buttons[id - IDC_DRAW_BUTTON];
    button.checked = SendMessageA(GetDlgItem(window, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Show() {
    ApplyMainControls();
    RefreshMainWindow();
}

void ToolCommand(int32_t tool) {
    Session& session = SessionOf(mainWindow);
    if (session.editState.dragActive)
        EndDrag(&session.editState);
    ToggleTool(&session.mainModes, tool);
    Show();
}

// One calculation gives both areas, so a result of the drawing as it is only switches the view; a
// completed run's result is kept with the input it was calculated from.
CalcOutcome ResultReady(HWND window) {
    Session& session = SessionOf(mainWindow);
    if (session.shownResult.has(session.drawing))
        return CalcOutcome::Completed;
    CalcInput input = MakeCalcInput(session.drawing);
    CalcResult result;
    CalcOutcome outcome = StartCalculation(window, session.drawing, &result);
    if (outcome == CalcOutcome::Completed)
        session.shownResult.accept(std::move(input), session.drawing.calcOptions, std::move(result));
    return outcome;
}

void ViewCommand(HWND window, int32_t target) {
    Session& session = SessionOf(mainWindow);
    if (session.editState.dragActive)
        EndDrag(&session.editState);  // nothing can be carried into a result view
    if (session.mainModes.viewMode == target) {
        ShowCurrentView(&session.mainModes, target);
        Show();
        return;
    }
    CalcOutcome outcome = ResultReady(window);
    if (outcome == CalcOutcome::Completed)
        EnterResultView(&session.mainModes, target);
    else
        LeaveFailedView(&session.mainModes, session.drawing.calcReady);
    Show();
    if (outcome == CalcOutcome::Stopped)
        SetStatusText(0, TEXT_CALCULATION_STOPPED);
}

// The drawing goes back (or forth) one change, whatever view shows it; a result view is left, since the
// result went with the change, and the canvas takes the map size of the state it returns to; the zoom
// stays as the user left it.
void StepCommand(bool undo) {
    Session& session = SessionOf(mainWindow);
    if (session.editState.constructing || session.editState.dragActive)
        return;  // Escape ends those first
    if (!(undo ? session.editHistory.undo(&session.drawing, &session.shownResult)
               : session.editHistory.redo(&session.drawing, &session.shownResult)))
        return;
    if (session.mainModes.viewMode != DrawingView)
        PressDraw(&session.mainModes, session.drawing.calcReady);
    LayOutCanvas();
    session.drawingChanges.announceReplaced();
}

// Escape abandons what the current tool has started; it means nothing in a result view.
void EscapeCommand(HWND window) {
    Session& session = SessionOf(mainWindow);
    if (session.mainModes.viewMode != DrawingView)
        return;
    if (session.mainModes.toolMode == CreateTool && session.editState.constructing) {
        DropPendingPolygon(&session.editState);
        ApplyMainControls();
        InvalidateRect(window, nullptr, TRUE);
    }
    if (session.mainModes.toolMode == EditTool && session.editState.dragActive) {
        EndDrag(&session.editState);
        ApplyMainControls();
        InvalidateRect(window, nullptr, TRUE);
    }
}

}  // namespace

void OnMainCommand(HWND window, int id) {
    Session& session = SessionOf(mainWindow);
    if (id >= IDC_DRAW_BUTTON && id <= IDC_VIEW_AM_BUTTON)
        TakeClickedCheck(window, id);
    if (id >= IDM_FILE_RECENT_FIRST && id < IDM_FILE_RECENT_FIRST + RecentFileLimit) {
        OpenRecentCommand(window, id - IDM_FILE_RECENT_FIRST);
        return;
    }
    switch (id) {
        case IDM_FILE_NEW: NewDrawingCommand(window); break;
        case IDM_FILE_OPEN: OpenDrawingCommand(window, true); break;
        case IDM_FILE_SAVE: SaveDrawingCommand(window, false); break;
        case IDM_FILE_SAVE_AS: SaveDrawingCommand(window, true); break;
        case IDM_FILE_CLOSE: CloseDrawingCommand(window); break;
        case IDM_FILE_QUIT: QuitCommand(window); break;
        case IDM_FILE_EXPORT_REPORT: ExportReportCommand(window); break;
        case IDM_FILE_PRINT: PrintReportCommand(window); break;
        case IDM_DATA_IMPORT: ImportCommand(window); break;
        case IDM_DATA_EXPORT: ExportDrawing(); break;
        case IDM_DATA_STRUCTURES: OpenStructuresWindow(window); break;
        case IDM_DATA_ASSESSMENT:
            if (session.drawing.isOpen)
                ShowAssessmentDialog(window);
            break;
        case IDM_EDIT_COPY: CopyPicture(); break;
        case IDM_EDIT_UNDO: StepCommand(true); break;
        case IDM_EDIT_REDO: StepCommand(false); break;
        case IDM_OPTIONS_DRAW:
            ShowDrawOptionsDialog(window);
            InvalidateRect(window, nullptr, TRUE);
            break;
        case IDM_OPTIONS_CALCULATION:
            if (AskYesNo(window, TEXT_CALC_OPTIONS_RISK)) {
                ShowCalcOptionsDialog(window);
                ApplyMainControls();
                InvalidateRect(window, nullptr, TRUE);
            }
            break;
        case IDM_TOOL_SIMPLIFIED: ShowSimplifiedDialog(window); break;
        case IDM_HELP_ABOUT: ShowAboutDialog(window); break;
        case IDM_HELP_GUIDE: OpenHelpWindow(window); break;
        case IDM_ESCAPE: EscapeCommand(window); break;
        case IDC_DRAW_BUTTON:
            PressDraw(&session.mainModes, session.drawing.calcReady);
            Show();
            break;
        case IDC_CREATE_BUTTON: ToolCommand(CreateTool); break;
        case IDC_EDIT_BUTTON: ToolCommand(EditTool); break;
        case IDC_DELETE_BUTTON: ToolCommand(DeleteTool); break;
        case IDC_VIEW_AD_BUTTON: ViewCommand(window, AdView); break;
        case IDC_VIEW_AM_BUTTON: ViewCommand(window, AmView); break;
    }
}
