// Finding the dialog box a modal call shows on this thread, and acting on it once it shows.
#pragma once

#include <windows.h>

#include <functional>

// The visible dialog box (window class "#32770") of the calling thread, or null.
HWND FindShownDialogOfThisThread();

// While it lives, a timer on this thread looks for the dialog a modal call (made after it
// is set up) shows, and calls the action with it once it is up; with null when none shows
// within a minute (a dialog may take that long where 32-bit Wine runs under emulation).
// The action runs at most once.
class DialogWait {
public:
    explicit DialogWait(std::function<void(HWND dialog)> action);
    ~DialogWait();
    DialogWait(const DialogWait&) = delete;
    DialogWait& operator=(const DialogWait&) = delete;

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR timer, DWORD);

    UINT_PTR timer_;
};
