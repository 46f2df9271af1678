#include "shell/file_commands_win.h"

#include <shellapi.h>

#include <cstring>

#include "app/drawing_changes.h"
#include "app/drawing_lifecycle.h"
#include "app/main_modes.h"
#include "app/session.h"
#include "editing/edit_state.h"
#include "shell/main_window_win.h"
#include "shell/recent_files_win.h"
#include "text/ui_texts.h"
#include "ui/app_windows_win.h"
#include "ui/file_dialog_win.h"
#include "ui/prompt_win.h"
#include "view/canvas_win.h"

namespace {

// A name typed without an extension gets ".Zlv".
bool ShowDrawingDialog(HWND owner, bool save, char* path) {
    return ShowFileDialog(owner, {TEXT_FILE_FILTER, TEXT_FILE_EXTENSION, save}, path) != 0;
}

// The path in the narrow character set of the file calls; false when the name has characters that set
// cannot hold, which would open some other file. With UTF-8 as that set every name fits, but the
// conversion then takes neither the best-fit flag nor the lossy flag.
bool NarrowPath(const wchar_t* wide, char* path) {
    if (GetACP() == CP_UTF8)
        return WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, wide, -1, path, FileNameSize, nullptr, nullptr) != 0;
    BOOL lossy = FALSE;
    int converted = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, -1, path, FileNameSize, nullptr, &lossy);
    return converted != 0 && !lossy;
}

void ShowNoDrawing() {
    Session& session = SessionOf(mainWindow);
    DropPendingPolygon(&session.editState);
    EndDrag(&session.editState);
    EnterClosedDrawing(&session.mainModes);
    session.drawingChanges.announceReplaced();
    ShowCanvasStatus();
}

}  // namespace

// Whatever a tool had started belongs to the drawing being replaced.
bool OpenNamedDrawing(HWND owner, const char* path) {
    Session& session = SessionOf(mainWindow);
    DropPendingPolygon(&session.editState);
    EndDrag(&session.editState);
    if (OpenDrawing(session, path) != FileError::None) {
        Warn(owner, TEXT_OPEN_FAILED);
        return false;
    }
    EnterOpenedDrawing(&session.mainModes);
    session.drawingChanges.announceReplaced();
    RememberRecentFile(owner, path);
    ApplyMainControls();  // the title loses its star
    return true;
}

FileDialogFn AskFileName = ShowDrawingDialog;

void NewDrawingCommand(HWND) {
    Session& session = SessionOf(mainWindow);
    NewDrawing(session);
    DropPendingPolygon(&session.editState);
    EndDrag(&session.editState);
    EnterNewDrawing(&session.mainModes);
    session.drawingChanges.announceReplaced();
}

// A cancelled dialog is not a failure to report: nothing happens.
bool OpenDrawingCommand(HWND owner, bool askName) {
    Session& session = SessionOf(mainWindow);
    char path[FileNameSize] = {};
    if (!askName)
        strcpy(path, session.drawing.fileName);
    else if (!AskFileName(owner, false, path))
        return false;
    return OpenNamedDrawing(owner, path);
}

// The drawing counts as saved only once the file is written; a cancelled dialog writes nothing and
// says nothing, and a failed write leaves the drawing marked as modified.
bool SaveDrawingCommand(HWND owner, bool askName) {
    Session& session = SessionOf(mainWindow);
    char path[FileNameSize];
    strcpy(path, session.drawing.fileName);
    if ((askName || !path[0]) && !AskFileName(owner, true, path))
        return false;
    if (SaveDrawing(session, path) != FileError::None) {
        Warn(owner, TEXT_WRITE_FAILED);
        return false;
    }
    RememberRecentFile(owner, path);
    ApplyMainControls();  // the title loses its star
    return true;
}

// Yes saves, No goes on without saving, Cancel backs out; a save the user wanted but did not get backs
// out too.
bool SaveIfWanted(HWND owner) {
    Session& session = SessionOf(mainWindow);
    if (!session.drawing.modified)
        return true;
    int answer = Prompt(owner, TEXT_SAVE_CHANGES, TEXT_WARNING, MB_YESNOCANCEL | MB_ICONWARNING);
    return answer == IDNO || (answer == IDYES && SaveDrawingCommand(owner, false));
}

bool CloseDrawingCommand(HWND owner) {
    Session& session = SessionOf(mainWindow);
    if (!SaveIfWanted(owner))
        return false;
    CloseDrawing(session);
    ShowNoDrawing();
    return true;
}

void QuitCommand(HWND owner) {
    if (CloseDrawingCommand(owner))
        DestroyWindow(owner);
}

void CloseWhileDestroying(HWND owner) {
    Session& session = SessionOf(mainWindow);
    if (session.drawing.modified && AskYesNo(owner, TEXT_SAVE_CHANGES))
        SaveDrawingCommand(owner, false);
    CloseDrawing(session);
    DropPendingPolygon(&session.editState);
    EndDrag(&session.editState);
}

void OpenFromCommandLine(HWND owner, const wchar_t* commandLine) {
    if (!commandLine)
        return;
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(commandLine, &count);
    if (!arguments) {
        Prompt(owner, TEXT_BAD_COMMAND_LINE, TEXT_ERROR, MB_OK);
        return;
    }
    if (count == 2) {
        char path[FileNameSize];
        if (NarrowPath(arguments[1], path))
            OpenNamedDrawing(owner, path);
        else
            Warn(owner, TEXT_OPEN_FAILED);
    }
    LocalFree(arguments);
}
