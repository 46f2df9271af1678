// What every dialog of the program shares: the record it works on, and how it refuses a typed value.
#pragma once

#include <windows.h>

#include <string>

// The record a dialog works on: handed over as the parameter of RunDialog, kept in the dialog's user
// data from WM_INITDIALOG on; null for the few messages that come before it.
template <typename State>
State* DialogState(HWND dialog, UINT msg, LPARAM lParam) {
    if (msg == WM_INITDIALOG)
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    return reinterpret_cast<State*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

// The whole text of a field, however long, so that a number is never read from a text cut short.
std::string WholeFieldText(HWND dialog, int field);

// Tells why the field's text was refused, in a message box the dialog owns, then selects the whole
// text so that the next key replaces it. The dialog stays open and nothing is stored.
void RefuseField(HWND dialog, int field, const std::string& message);
