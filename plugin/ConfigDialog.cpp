// The settings dialog: every field of the settings but the colours, OK stores and saves.
#include "plugin/ConfigDialog.h"

#include "plugin/DefaultFloatState.h"
#include "plugin/PluginSettings.h"
#include "plugin/SettingsStore.h"
#include "plugin/resource.h"
#include "xlib/XMemory.h"
#include "xlib/XString.h"

namespace {

struct CheckBox {
    int id;
    int SettingsRecord::*field;
};

// The check boxes and radio buttons, in the order they are set and stored.
const CheckBox kCheckBoxes[] = {
    {IDC_DATA_COLS, &SettingsRecord::seriesInCols},     {IDC_DATA_ROWS, &SettingsRecord::seriesInRows},
    {IDC_IGNORE_FIRST_COL, &SettingsRecord::ignoreFirstCol}, {IDC_IGNORE_FIRST_ROW, &SettingsRecord::ignoreFirstRow},
    {IDC_FIRST_COL_X, &SettingsRecord::firstColX},      {IDC_FIRST_ROW_X, &SettingsRecord::firstRowX},
};

void SetCheck(HWND dialog, int id, int value)
{
    SendDlgItemMessageA(dialog, id, BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
}

int GetCheck(HWND dialog, int id)
{
    return SendDlgItemMessageA(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
}

void SetNumberText(HWND dialog, int id, int value)
{
    XString text;
    text.SetInt(value);
    SetDlgItemTextA(dialog, id, text.Text());
}

void FillControls(HWND dialog)
{
    const SettingsRecord settings = PluginSettings();
    for (const CheckBox& box : kCheckBoxes)
        SetCheck(dialog, box.id, settings.*box.field);
    SetDlgItemTextA(dialog, IDC_UNIT_X, settings.unitX.Text());
    SetDlgItemTextA(dialog, IDC_UNIT_Y, settings.unitY.Text());
    SetCheck(dialog, IDC_SHOW_UNITS, settings.showUnits);
    const char separator[2] = {settings.separator, '\0'};
    SetDlgItemTextA(dialog, IDC_SEPARATOR, separator);
    SetNumberText(dialog, IDC_WIDTH, settings.width);
    SetNumberText(dialog, IDC_HEIGHT, settings.height);
    UpdateControlStates(dialog);
}

// Every value is stored, disabled check boxes included, into one record that is then
// published and saved as a whole.
void StoreControls(HWND dialog)
{
    SettingsRecord confirmed = PluginSettings();
    for (const CheckBox& box : kCheckBoxes)
        confirmed.*box.field = GetCheck(dialog, box.id);
    GetControlText(GetDlgItem(dialog, IDC_UNIT_X), confirmed.unitX);
    GetControlText(GetDlgItem(dialog, IDC_UNIT_Y), confirmed.unitY);
    confirmed.showUnits = GetCheck(dialog, IDC_SHOW_UNITS);
    XString text;
    GetControlText(GetDlgItem(dialog, IDC_SEPARATOR), text);
    if (text.Length() > 0)
        confirmed.separator = text.buffer[0];   // an emptied field keeps the separator
    // strtol semantics: "800px" gives 800, "abc" 0; beyond the 32-bit range, its ends.
    GetControlText(GetDlgItem(dialog, IDC_WIDTH), text);
    confirmed.width = static_cast<int>(text.ToInt());
    GetControlText(GetDlgItem(dialog, IDC_HEIGHT), text);
    confirmed.height = static_cast<int>(text.ToInt());
    SaveSettings(confirmed);
}

INT_PTR HandleCommand(HWND dialog, int id)
{
    switch (id) {
    case IDC_DATA_COLS:
    case IDC_DATA_ROWS:
        UpdateControlStates(dialog);
        return FALSE;
    case IDOK:
        StoreControls(dialog);
        EndDialog(dialog, IDOK);
        return TRUE;
    case IDCANCEL:
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    default:
        return FALSE;
    }
}

}  // namespace

int RunConfigDialog(HWND parent)
{
    DialogBoxParamA(moduleHandle, MAKEINTRESOURCEA(IDD_CONFIG), parent, ConfigDialogProc, 0);
    return 0;
}

INT_PTR CALLBACK ConfigDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM /*lParam*/)
{
    DefaultFloatState floatState;
    // No exception may pass through the system's dialog code: a failure closes the
    // dialog as Cancel would.
    try {
        if (message == WM_INITDIALOG) {
            FillControls(dialog);
            return TRUE;
        }
        if (message == WM_COMMAND)
            return HandleCommand(dialog, LOWORD(wParam));
    } catch (...) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    }
    return FALSE;
}

void UpdateControlStates(HWND dialog)
{
    EnableWindow(GetDlgItem(dialog, IDC_FIRST_ROW_X), !GetCheck(dialog, IDC_DATA_COLS));
    EnableWindow(GetDlgItem(dialog, IDC_FIRST_COL_X), !GetCheck(dialog, IDC_DATA_ROWS));
}

void GetControlText(HWND control, XString& target)
{
    LRESULT length = SendMessageA(control, WM_GETTEXTLENGTH, 0, 0);
    if (length < 0)
        length = 0;
    XScratchBlock text(static_cast<std::size_t>(length) + 1);
    text.data[0] = '\0';
    GetWindowTextA(control, text.data, static_cast<int>(length) + 1);
    target.SetText(text.data);
}
