// Finding the dialog box a modal call shows on this thread.
#include "ThreadDialog.h"

namespace {

BOOL CALLBACK KeepVisibleDialog(HWND window, LPARAM found)
{
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    if (lstrcmpA(className, "#32770") != 0 || !IsWindowVisible(window))
        return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

}  // namespace

HWND FindShownDialogOfThisThread()
{
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), KeepVisibleDialog, reinterpret_cast<LPARAM>(&dialog));
    return dialog;
}
