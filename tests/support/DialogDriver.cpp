// Drives the plug-in's modal settings dialog from inside its own message loop.
#include "tests/support/DialogDriver.h"

#include "ThreadDialog.h"

namespace {

// Where 32-bit Wine runs under emulation, a dialog can take many seconds to show.
constexpr ULONGLONG kLongestWaitMs = 60000;

const DialogScript* pendingScript = nullptr;
bool scriptRan = false;
ULONGLONG deadline = 0;

void CALLBACK OnTimer(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND dialog = FindShownDialogOfThisThread();
    if (!dialog && GetTickCount64() < deadline)
        return;
    KillTimer(nullptr, timer);
    if (!dialog || !pendingScript)
        return;
    scriptRan = true;
    (*pendingScript)(dialog);
    if (IsWindow(dialog))
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
}

}  // namespace

bool RunDialogScript(const std::function<void()>& open, const DialogScript& script)
{
    pendingScript = &script;
    scriptRan = false;
    deadline = GetTickCount64() + kLongestWaitMs;
    UINT_PTR timer = SetTimer(nullptr, 0, 20, OnTimer);
    open();
    KillTimer(nullptr, timer);
    pendingScript = nullptr;
    return scriptRan;
}

void Click(HWND dialog, int id)
{
    SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

void Type(HWND dialog, int id, const char* text)
{
    SetDlgItemTextA(dialog, id, text);
}

std::string TextOf(HWND dialog, int id)
{
    char text[256] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

bool IsChecked(HWND dialog, int id)
{
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

bool IsEnabled(HWND dialog, int id)
{
    return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE;
}
