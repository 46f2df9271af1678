// Answers for the modal dialogs a test opens: one list of steps per dialog, in the order the dialogs
// come up, each step run on the dialog as a user would act on it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

using Step = std::function<void(HWND dialog)>;

void QueueDialogSteps(std::vector<Step> steps);  // for the next dialog to come up
void AnswerDialog(HWND dialog);                  // a DialogWatch handler: starts the dialog's steps
size_t DialogStepsLeft();  // steps not run yet, queued lists included: not 0 when a dialog ended early
void ClearDialogSteps();

Step Type(int field, const std::string& text);
Step TypeKeys(int field, const std::string& keys);  // typed over the selected text, so the field's limit applies
Step Press(int button);                             // a button's command, posted as its click would send it
Step Choose(int list, int index);                   // an entry selected and confirmed, as a drop-down tells it
Step PressEscape(int focusField);                   // Escape as the dialog's loop turns it into a command
Step PressEnter(int focusField);                    // Enter in a field, left to the dialog's own loop
Step Read(int field, std::string* into);
Step ReadChoice(int list, int* into);

std::string DialogText(HWND dialog, int field);
