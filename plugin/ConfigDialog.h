// The settings dialog: every field of the settings but the colours, OK stores and saves.
#pragma once

#include <windows.h>

class XString;

// Runs the dialog modally over the parent window; 0 after OK and after Cancel alike.
int RunConfigDialog(HWND parent);

INT_PTR CALLBACK ConfigDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Greys each control of the settings table while a check box of its GreyedWhile is ticked
// ("First row X" while "Data cols" is chosen, the layout controls while "Detect layout" is),
// and enables it otherwise. Greying leaves a box's check state as it is.
void UpdateControlStates(HWND dialog);

// The control's whole text, whatever its length.
void GetControlText(HWND control, XString& target);
