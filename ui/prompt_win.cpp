#include "ui/prompt_win.h"

#include "text/ui_texts.h"

PromptFn Prompt = MessageBoxA;

int Warn(HWND owner, const char* text) {
    return Prompt(owner, text, TEXT_WARNING, MB_OK | MB_ICONWARNING);
}

bool AskYesNo(HWND owner, const char* text) {
    return Prompt(owner, text, TEXT_WARNING, MB_YESNO | MB_ICONWARNING) == IDYES;
}
