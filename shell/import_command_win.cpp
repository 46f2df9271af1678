#include "shell/import_command_win.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "app/drawing_lifecycle.h"
#include "app/main_modes.h"
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

// The whole map at the most magnified zoom that fits the canvas, from its top left corner.
void ShowImported(HWND owner, const ImportResult& result) {
    DropPendingPolygon();
    EndDrag();
    RECT client;
    GetClientRect(canvasWindow, &client);
    DrawOptions& options = drawing.drawOptions;
    options = OptionsToShow(options, options.mapSize, std::min(client.right, client.bottom));
    SetScrollPos(canvasWindow, SB_HORZ, 0, FALSE);
    SetScrollPos(canvasWindow, SB_VERT, 0, FALSE);
    EnterOpenedDrawing();
    ApplyMainControls();
    RefreshMainWindow();
    Prompt(owner, ImportSummary(result).c_str(), TEXT_INFORMATION, MB_OK | MB_ICONINFORMATION);
}

}  // namespace

ImportDialogFn AskImportFile = ShowImportDialog;

bool ImportCommand(HWND owner) {
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
    if (!WantsTheRest(owner, result) || ImportDrawing(result, true) != ApplyOutcome::Applied)
        return false;
    ShowImported(owner, result);
    return true;
}
