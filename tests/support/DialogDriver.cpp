// Drives the plug-in's modal settings dialog from inside its own message loop.
#include "tests/support/DialogDriver.h"

#include "ThreadDialog.h"

namespace {

const DialogScript* pendingScript = nullptr;
bool scriptRan = false;
int waits = 0;

void CALLBACK OnTimer(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND dialog = FindShownDialogOfThisThread();
    if (!dialog && ++waits < 200)
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
    waits = 0;
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
