#include "ui/dialog_state_win.h"

#include "ui/prompt_win.h"

void RefuseField(HWND dialog, int field, const std::string& message) {
    Warn(dialog, message.c_str());
    HWND control = GetDlgItem(dialog, field);
    SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
    SendMessageA(control, EM_SETSEL, 0, -1);
}
