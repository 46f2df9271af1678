#include "ui/dialog_state_win.h"

#include "ui/prompt_win.h"

std::string WholeFieldText(HWND dialog, int field) {
    HWND control = GetDlgItem(dialog, field);
    std::string text(static_cast<size_t>(GetWindowTextLengthA(control)) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(control, text.data(), static_cast<int>(text.size()))));
    return text;
}

void RefuseField(HWND dialog, int field, const std::string& message) {
    Warn(dialog, message.c_str());
    HWND control = GetDlgItem(dialog, field);
    SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
    SendMessageA(control, EM_SETSEL, 0, -1);
}
