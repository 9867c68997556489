// Finding the dialog box a modal call shows on this thread.
#pragma once

#include <windows.h>

// The visible dialog box (window class "#32770") of the calling thread, or null.
HWND FindShownDialogOfThisThread();
