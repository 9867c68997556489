// Drives the plug-in's modal settings dialog from inside its own message loop, as a user
// would: a timer on the calling thread waits for the dialog, then runs a script on it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

using DialogScript = std::function<void(HWND dialog)>;

// Calls `open` (which shows the dialog modally and returns when it closes), running the
// script once the dialog is up. A dialog the script leaves open is cancelled. False when
// the dialog never showed.
bool RunDialogScript(const std::function<void()>& open, const DialogScript& script);

// What a user does and sees.
void Click(HWND dialog, int id);
void Type(HWND dialog, int id, const char* text);
std::string TextOf(HWND dialog, int id);
bool IsChecked(HWND dialog, int id);
bool IsEnabled(HWND dialog, int id);
