#include "shell/import_unit_dialog_win.h"

#include "resources/resource.h"
#include "ui/dialog_runner_win.h"

namespace {

struct UnitChoice {
    std::string reason;
    const DxfUnit* unit = nullptr;
};

// Metres are proposed: a plan whose unit is lost was most likely drawn in them.
INT_PTR CALLBACK ImportUnitDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* choice = reinterpret_cast<UnitChoice*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (msg) {
        case WM_INITDIALOG: {
            SetWindowLongPtrA(dialog, DWLP_USER, lParam);
            choice = reinterpret_cast<UnitChoice*>(lParam);
            SetDlgItemTextA(dialog, IDC_IMPORT_UNIT_REASON, choice->reason.c_str());
            for (const DxfUnit* unit = DxfUnits(); unit->name; unit++) {
                LRESULT item = SendDlgItemMessageA(dialog, IDC_IMPORT_UNIT_LIST, CB_ADDSTRING, 0,
                                                   reinterpret_cast<LPARAM>(unit->name));
                if (unit->metres == 1.0)
                    SendDlgItemMessageA(dialog, IDC_IMPORT_UNIT_LIST, CB_SETCURSEL, item, 0);
            }
            return TRUE;
        }
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK) {
                LRESULT item = SendDlgItemMessageA(dialog, IDC_IMPORT_UNIT_LIST, CB_GETCURSEL, 0, 0);
                char name[64] = {};
                if (item != CB_ERR)
                    SendDlgItemMessageA(dialog, IDC_IMPORT_UNIT_LIST, CB_GETLBTEXT, item,
                                        reinterpret_cast<LPARAM>(name));
                for (const DxfUnit* unit = DxfUnits(); unit->name; unit++)
                    if (std::string(unit->name) == name)
                        choice->unit = unit;
                if (choice->unit)
                    EndDialog(dialog, IDOK);
            } else if (LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, IDCANCEL);
            }
            return TRUE;
    }
    return FALSE;
}

const DxfUnit* ShowImportUnitDialog(HWND owner, const std::string& reason) {
    UnitChoice choice{reason};
    if (RunDialog(owner, IDD_IMPORT_UNIT, ImportUnitDialogProc, reinterpret_cast<LPARAM>(&choice)) != IDOK)
        return nullptr;
    return choice.unit;
}

}  // namespace

ImportUnitDialogFn AskImportUnit = ShowImportUnitDialog;
