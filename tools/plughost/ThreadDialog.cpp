// Finding the dialog box a modal call shows on this thread, and acting on it once it shows.
#include "ThreadDialog.h"

namespace {

constexpr ULONGLONG kLongestWaitMs = 60000;
constexpr UINT kPollMs = 20;

BOOL CALLBACK KeepVisibleDialog(HWND window, LPARAM found)
{
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    if (lstrcmpA(className, "#32770") != 0 || !IsWindowVisible(window))
        return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

// The one wait of this thread's at a time: a thread timer carries no context of its own.
thread_local std::function<void(HWND)>* pendingAction = nullptr;
thread_local ULONGLONG deadline = 0;

}  // namespace

HWND FindShownDialogOfThisThread()
{
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), KeepVisibleDialog, reinterpret_cast<LPARAM>(&dialog));
    return dialog;
}

DialogWait::DialogWait(std::function<void(HWND dialog)> action)
{
    pendingAction = new std::function<void(HWND)>(std::move(action));
    deadline = GetTickCount64() + kLongestWaitMs;
    timer_ = SetTimer(nullptr, 0, kPollMs, OnTimer);
}

DialogWait::~DialogWait()
{
    KillTimer(nullptr, timer_);
    delete pendingAction;
    pendingAction = nullptr;
}

void CALLBACK DialogWait::OnTimer(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND dialog = FindShownDialogOfThisThread();
    if (!dialog && GetTickCount64() < deadline)
        return;   // not up yet
    KillTimer(nullptr, timer);
    if (!pendingAction)
        return;
    std::function<void(HWND)> action = std::move(*pendingAction);
    delete pendingAction;
    pendingAction = nullptr;
    action(dialog);
}
