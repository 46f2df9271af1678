#include "ui/file_dialog_win.h"

#include <commdlg.h>

DWORD ShowFileDialog(HWND owner, const FileDialogSpec& spec, char* path) {
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = spec.filter;
    dialog.lpstrFile = path;
    dialog.nMaxFile = MAX_PATH;
    dialog.lpstrDefExt = spec.extension;
    dialog.Flags = OFN_HIDEREADONLY | OFN_EXPLORER;
    dialog.Flags |= spec.save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;
    BOOL chosen = spec.save ? GetSaveFileNameA(&dialog) : GetOpenFileNameA(&dialog);
    return chosen ? dialog.nFilterIndex : 0;
}
