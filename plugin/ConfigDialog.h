// The settings dialog: every field of the settings but the colours, OK stores and saves.
#pragma once

#include <windows.h>

class XString;

// Runs the dialog modally over the parent window; 0 after OK and after Cancel alike.
int RunConfigDialog(HWND parent);

INT_PTR CALLBACK ConfigDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// "First row X" is enabled exactly when "Data cols" is not chosen, "First col X" exactly
// when "Data rows" is not: each matters only in the other orientation's absence.
void UpdateControlStates(HWND dialog);

// The control's whole text, whatever its length.
void GetControlText(HWND control, XString& target);
