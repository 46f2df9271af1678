#include "ui/file_dialog_win.h"

#include <commdlg.h>

DWORD ShowFileDialog(HWND owner, const FileDialogSpec& request, char* path) {
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = request.filter;
    dialog.lpstrFile = path;
    dialog.nMaxFile = MAX_PATH;
    dialog.lpstrDefExt = request.extension;
    dialog.Flags = OFN_HIDEREADONLY | OFN_EXPLORER;
    dialog.Flags |= request.save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;
    BOOL chosen = request.save ? GetSaveFileNameA(&dialog) : GetOpenFileNameA(&dialog);
    return chosen ? dialog.nFilterIndex : 0;
}
