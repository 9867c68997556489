// Drives the plug-in's modal settings dialog from inside its own message loop.
#include "tests/support/DialogDriver.h"

#include "ThreadDialog.h"

bool RunDialogScript(const std::function<void()>& open, const DialogScript& script)
{
    bool ran = false;
    {
        DialogWait wait([&](HWND dialog) {
            if (!dialog)
                return;
            ran = true;
            script(dialog);
            if (IsWindow(dialog))
                PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        });
        open();
    }
    return ran;
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
