#include "shell/main_commands_win.h"

#include <utility>

#include "app/drawing_changes.h"
#include "app/edit_history.h"
#include "app/main_modes.h"
#include "app/recent_files.h"
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
    ButtonState& button = mainModes.controls.buttons[id - IDC_DRAW_BUTTON];
    button.checked = SendMessageA(GetDlgItem(window, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Show() {
    ApplyMainControls();
    RefreshMainWindow();
}

void ToolCommand(int32_t tool) {
    if (editState.dragActive)
        EndDrag();
    ToggleTool(tool);
    Show();
}

// One calculation gives both areas, so a result of the drawing as it is only switches the view; a
// completed run's result is kept with the input it was calculated from.
CalcOutcome ResultReady(HWND window) {
    if (shownResult.has(drawing))
        return CalcOutcome::Completed;
    CalcInput input = MakeCalcInput(drawing);
    CalcResult result;
    CalcOutcome outcome = StartCalculation(window, drawing, &result);
    if (outcome == CalcOutcome::Completed)
        shownResult.accept(std::move(input), drawing.calcOptions, std::move(result));
    return outcome;
}

void ViewCommand(HWND window, int32_t target) {
    if (editState.dragActive)
        EndDrag();  // nothing can be carried into a result view
    if (mainModes.viewMode == target) {
        ShowCurrentView(target);
        Show();
        return;
    }
    CalcOutcome outcome = ResultReady(window);
    if (outcome == CalcOutcome::Completed)
        EnterResultView(target);
    else
        LeaveFailedView(drawing.calcReady);
    Show();
    if (outcome == CalcOutcome::Stopped)
        SetStatusText(0, TEXT_CALCULATION_STOPPED);
}

// The drawing goes back (or forth) one change, whatever view shows it; a result view is left, since the
// result went with the change, and the canvas takes the map size of the state it returns to; the zoom
// stays as the user left it.
void StepCommand(bool undo) {
    if (editState.constructing || editState.dragActive)
        return;  // Escape ends those first
    if (!(undo ? editHistory.undo(&drawing) : editHistory.redo(&drawing)))
        return;
    if (mainModes.viewMode != DrawingView)
        PressDraw(drawing.calcReady);
    LayOutCanvas();
    drawingChanges.announceReplaced();
}

// Escape abandons what the current tool has started; it means nothing in a result view.
void EscapeCommand(HWND window) {
    if (mainModes.viewMode != DrawingView)
        return;
    if (mainModes.toolMode == CreateTool && editState.constructing) {
        DropPendingPolygon();
        ApplyMainControls();
        InvalidateRect(window, nullptr, TRUE);
    }
    if (mainModes.toolMode == EditTool && editState.dragActive) {
        EndDrag();
        ApplyMainControls();
        InvalidateRect(window, nullptr, TRUE);
    }
}

}  // namespace

void OnMainCommand(HWND window, int id) {
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
            if (drawing.isOpen)
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
            PressDraw(drawing.calcReady);
            Show();
            break;
        case IDC_CREATE_BUTTON: ToolCommand(CreateTool); break;
        case IDC_EDIT_BUTTON: ToolCommand(EditTool); break;
        case IDC_DELETE_BUTTON: ToolCommand(DeleteTool); break;
        case IDC_VIEW_AD_BUTTON: ViewCommand(window, AdView); break;
        case IDC_VIEW_AM_BUTTON: ViewCommand(window, AmView); break;
    }
}
