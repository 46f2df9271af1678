#include "tests/gui/gui_dialog_steps.h"

#include <gtest/gtest.h>

#include <deque>

namespace {

std::deque<std::vector<Step>> queued;
std::vector<Step> running;
size_t nextStep = 0;
constexpr UINT_PTR StepTimer = 77;

// A timer message comes only when no posted message is waiting, so each step finds the dialog after
// it has handled everything the step before posted. A dialog that ends takes its timer with it, and
// the steps left over show that it ended too early.
void CALLBACK NextStep(HWND dialog, UINT, UINT_PTR, DWORD) {
    KillTimer(dialog, StepTimer);
    if (nextStep >= running.size())
        return;
    running[nextStep++](dialog);
    if (nextStep < running.size())
        SetTimer(dialog, StepTimer, USER_TIMER_MINIMUM, NextStep);
}

}  // namespace

void QueueDialogSteps(std::vector<Step> steps) {
    queued.push_back(std::move(steps));
}

void AnswerDialog(HWND dialog) {
    EXPECT_EQ(nextStep, running.size()) << "the previous dialog ended before its last step";
    running.clear();
    nextStep = 0;
    if (queued.empty()) {
        ADD_FAILURE() << "a dialog nobody expected";
        EndDialog(dialog, 0);
        return;
    }
    running = std::move(queued.front());
    queued.pop_front();
    SetTimer(dialog, StepTimer, USER_TIMER_MINIMUM, NextStep);
}

size_t DialogStepsLeft() {
    size_t left = running.size() - nextStep;
    for (const std::vector<Step>& steps : queued)
        left += steps.size();
    return left;
}

void ClearDialogSteps() {
    queued.clear();
    running.clear();
    nextStep = 0;
}

Step Type(int field, const std::string& text) {
    return [=](HWND d) { SetDlgItemTextA(d, field, text.c_str()); };
}

Step TypeKeys(int field, const std::string& keys) {
    return [=](HWND d) {
        HWND edit = GetDlgItem(d, field);
        SendMessageA(edit, EM_SETSEL, 0, -1);
        for (char key : keys)
            SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(key), 1);
    };
}

Step Press(int button) {
    return [=](HWND d) {
        PostMessageA(d, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(d, button)));
    };
}

Step Choose(int list, int index) {
    return [=](HWND d) {
        SendDlgItemMessageA(d, list, CB_SETCURSEL, index, 0);
        SendMessageA(d, WM_COMMAND, MAKEWPARAM(list, CBN_SELENDOK), reinterpret_cast<LPARAM>(GetDlgItem(d, list)));
    };
}

Step PressEscape(int focusField) {
    return [=](HWND d) {
        PostMessageA(GetDlgItem(d, focusField), WM_KEYDOWN, VK_ESCAPE, 0);
        PostMessageA(d, WM_COMMAND, IDCANCEL, 0);
    };
}

// No command is posted: the dialog manager alone turns the key into its default button's command.
Step PressEnter(int focusField) {
    return [=](HWND d) {
        HWND field = GetDlgItem(d, focusField);
        SendMessageA(d, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(field), TRUE);
        PostMessageA(field, WM_KEYDOWN, VK_RETURN, 0);
        PostMessageA(field, WM_KEYUP, VK_RETURN, 0xC0000001);
    };
}

Step Read(int field, std::string* into) {
    return [=](HWND d) { *into = DialogText(d, field); };
}

Step ReadChoice(int list, int* into) {
    return [=](HWND d) { *into = static_cast<int>(SendDlgItemMessageA(d, list, CB_GETCURSEL, 0, 0)); };
}

std::string DialogText(HWND dialog, int field) {
    char text[1000] = {};
    GetDlgItemTextA(dialog, field, text, sizeof text);
    return text;
}
