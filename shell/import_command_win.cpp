#include "shell/import_command_win.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "app/drawing_changes.h"
#include "app/drawing_lifecycle.h"
#include "app/main_modes.h"
#include "app/session.h"
#include "editing/edit_state.h"
#include "exchange/import_file.h"
#include "options/draw_option_rules.h"
#include "shell/file_commands_win.h"
#include "shell/import_height_dialog_win.h"
#include "shell/import_unit_dialog_win.h"
#include "shell/main_window_win.h"
#include "text/ui_texts.h"
#include "ui/app_windows_win.h"
#include "ui/file_dialog_win.h"
#include "ui/prompt_win.h"
#include "view/canvas_state.h"
#include "view/fit_view.h"

namespace {

constexpr double ProposedHeight = 10.0;  // metres: a building of three storeys
constexpr size_t ListedFailures = 15;    // lines of failures that a message box shows

bool ShowImportDialog(HWND owner, char* path) {
    return ShowFileDialog(owner, {TEXT_IMPORT_FILTER}, path) != 0;
}

void Refuse(HWND owner, const std::string& why) {
    Warn(owner, (std::string(TEXT_OPEN_FAILED) + "\n" + why).c_str());
}

// Footprints that fail the checks are named; the others are imported only when the user says so.
bool WantsTheRest(HWND owner, const ImportResult& result) {
    if (result.failures.empty())
        return true;
    std::string failures = ImportFailuresText(result, ListedFailures);
    if (result.polygons.empty()) {
        Refuse(owner, failures);
        return false;
    }
    std::vector<char> question(failures.size() + sizeof TEXT_IMPORT_FAILURES);
    snprintf(question.data(), question.size(), TEXT_IMPORT_FAILURES, failures.c_str());
    return AskYesNo(owner, question.data());
}

// The box of every footprint's vertices.
void FootprintBox(const PolygonStore& polygons, Point* low, Point* high) {
    *low = {HUGE_VAL, HUGE_VAL};
    *high = {-HUGE_VAL, -HUGE_VAL};
    for (int32_t i = 0; i < polygons.count(); i++) {
        const PolygonRecord& polygon = polygons.polygon(i);
        for (int32_t k = 0; k < polygon.vertexCount; k++) {
            *low = {std::min(low->x, polygon.x[k]), std::min(low->y, polygon.y[k])};
            *high = {std::max(high->x, polygon.x[k]), std::max(high->y, polygon.y[k])};
        }
    }
}

// The footprints fill the canvas at the most magnified zoom that shows them whole, as "show all" does;
// the scroll ranges of that zoom come first, so that the scroll positions hold.
void ShowImported(HWND owner, const ImportResult& result) {
    Session& session = SessionOf(mainWindow);
    DropPendingPolygon(&session.editState);
    EndDrag(&session.editState);
    RECT client;
    GetClientRect(canvasWindow, &client);
    Point low, high;
    FootprintBox(session.drawing.polygons, &low, &high);
    FittedView fitted = FitBox(low, high, client.right, client.bottom, session.canvasState.dpi);
    DrawOptions& options = session.drawing.drawOptions;
    options.zoomIndex = fitted.zoomIndex;
    options = WithUsableGrid(options);
    EnterOpenedDrawing(&session.mainModes);
    session.drawingChanges.announceReplaced();
    SetScrollPos(canvasWindow, SB_HORZ, fitted.scrollX, FALSE);
    SetScrollPos(canvasWindow, SB_VERT, fitted.scrollY, FALSE);
    RefreshMainWindow();
    Prompt(owner, ImportSummary(result).c_str(), TEXT_INFORMATION, MB_OK | MB_ICONINFORMATION);
}

}  // namespace

ImportDialogFn AskImportFile = ShowImportDialog;

bool ImportCommand(HWND owner) {
    Session& session = SessionOf(mainWindow);
    if (!SaveIfWanted(owner))
        return false;
    char path[FileNameSize] = {};
    if (!AskImportFile(owner, path))
        return false;
    ImportSource source;
    std::string message;
    ImportFileError error = ReadImportFile(path, &source, &message);
    if (error == ImportFileError::UnknownUnit) {
        const DxfUnit* unit = AskImportUnit(owner, message);
        if (!unit)
            return false;
        error = ReadImportFile(path, &source, &message, unit);
    }
    if (error != ImportFileError::None) {
        Refuse(owner, message);
        return false;
    }
    ImportSettings settings;
    if (NeedsDefaultHeight(source, settings)) {
        settings.defaultHeight = ProposedHeight;
        if (!AskImportHeight(owner, &settings.defaultHeight))
            return false;
    }
    ImportResult result = BuildImport(source, settings);
    if (!result.refusal.empty()) {
        Refuse(owner, result.refusal);
        return false;
    }
    if (!WantsTheRest(owner, result) || ImportDrawing(session, result, true) != ApplyOutcome::Applied)
        return false;
    ShowImported(owner, result);
    return true;
}
