// The settings dialog: every field of the settings but the colours, OK stores and saves.
#include "plugin/ConfigDialog.h"

#include "plugin/BitmapRequest.h"
#include "plugin/PluginSettings.h"
#include "plugin/SettingsStore.h"
#include "plugin/resource.h"
#include "xlib/DefaultFloatState.h"
#include "xlib/XMemory.h"
#include "xlib/XString.h"

#include <commctrl.h>

namespace {

// A caption read back from the registry holds at most this many characters.
constexpr int kLongestCaption = 2047;

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
    SendDlgItemMessageA(dialog, IDC_UNIT_X, EM_LIMITTEXT, kLongestCaption, 0);
    SendDlgItemMessageA(dialog, IDC_UNIT_Y, EM_LIMITTEXT, kLongestCaption, 0);
    SetDlgItemTextA(dialog, IDC_UNIT_X, settings.unitX.Text());
    SetDlgItemTextA(dialog, IDC_UNIT_Y, settings.unitY.Text());
    SetCheck(dialog, IDC_SHOW_UNITS, settings.showUnits);
    const char separator[2] = {settings.separator, '\0'};
    SetDlgItemTextA(dialog, IDC_SEPARATOR, separator);
    SetNumberText(dialog, IDC_WIDTH, settings.width);
    SetNumberText(dialog, IDC_HEIGHT, settings.height);
    UpdateControlStates(dialog);
}

// The caption as the registry will give it back: text beyond that would be lost on the
// next reload, which would then fall back to the default caption.
void GetCaptionText(HWND dialog, int id, XString& target)
{
    GetControlText(GetDlgItem(dialog, id), target);
    if (target.Length() > kLongestCaption)
        target.SetSubstring(target.buffer, 0, kLongestCaption);
}

// A size field as OK reads it: strtol semantics ("800px" gives 800); false when the text
// does not start with a number.
bool ReadSizeField(HWND dialog, int id, int& value)
{
    XString text;
    GetControlText(GetDlgItem(dialog, id), text);
    const char* p = text.Text();
    while (*p == ' ' || (*p >= '\t' && *p <= '\r'))
        ++p;
    if (*p == '+' || *p == '-')
        ++p;
    value = static_cast<int>(text.ToInt());
    return *p >= '0' && *p <= '9';
}

// The balloon tip of the dialog: a tracking tooltip, made on first use and kept as a
// property of the dialog, which owns and so destroys it. (The edit control's own
// EM_SHOWBALLOONTIP is not there on every system the plug-in runs on.)
constexpr char kTipProperty[] = "CsvChartSizeTip";

HWND SizeTip(HWND dialog)
{
    HWND tip = static_cast<HWND>(GetPropA(dialog, kTipProperty));
    if (tip)
        return tip;
    tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_BALLOON | TTS_ALWAYSTIP,
                          CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, dialog, nullptr, moduleHandle,
                          nullptr);
    if (tip)
        SetPropA(dialog, kTipProperty, tip);
    return tip;
}

void HideSizeTip(HWND dialog)
{
    if (HWND tip = static_cast<HWND>(GetPropA(dialog, kTipProperty)))
        SendMessageW(tip, TTM_TRACKACTIVATE, FALSE, 0);
}

void ShowSizeTip(HWND dialog, HWND field, const wchar_t* title, const wchar_t* text)
{
    HWND tip = SizeTip(dialog);
    if (!tip)
        return;
    TTTOOLINFOW tool = {};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_TRACK | TTF_ABSOLUTE;
    tool.hwnd = dialog;
    tool.uId = reinterpret_cast<UINT_PTR>(field);
    tool.lpszText = const_cast<wchar_t*>(text);
    SendMessageW(tip, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(tip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(tip, TTM_SETTITLEW, TTI_WARNING, reinterpret_cast<LPARAM>(title));
    RECT box = {};
    GetWindowRect(field, &box);
    SendMessageW(tip, TTM_TRACKPOSITION, 0, MAKELPARAM((box.left + box.right) / 2, box.bottom));
    SendMessageW(tip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
}

// Selects the field and says, in a balloon tip on it, what it accepts.
void RefuseSizeField(HWND dialog, int id)
{
    HWND field = GetDlgItem(dialog, id);
    SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(field), TRUE);
    SendMessageA(field, EM_SETSEL, 0, -1);
    ShowSizeTip(dialog, field, id == IDC_WIDTH ? L"Image width" : L"Image height",
                L"Enter a whole number of pixels from 1 to 16384. Width times height may be at most 67,108,864 "
                L"pixels.");
}

// The size the user typed, or the field to refuse: the first one that is not a number
// or not within the sides' range, else the height when the area is too large.
int CheckSizeFields(HWND dialog, int& width, int& height)
{
    const bool widthIsNumber = ReadSizeField(dialog, IDC_WIDTH, width);
    const bool heightIsNumber = ReadSizeField(dialog, IDC_HEIGHT, height);
    if (!widthIsNumber || !IsDrawableSize(width, 1))
        return IDC_WIDTH;
    if (!heightIsNumber || !IsDrawableSize(width, height))
        return IDC_HEIGHT;
    return 0;
}

// Every value is stored, disabled check boxes included, into one record that is then
// published and saved as a whole. False, with nothing stored, when a size is refused.
bool StoreControls(HWND dialog)
{
    SettingsRecord confirmed = PluginSettings();
    if (int refused = CheckSizeFields(dialog, confirmed.width, confirmed.height)) {
        RefuseSizeField(dialog, refused);
        return false;
    }
    for (const CheckBox& box : kCheckBoxes)
        confirmed.*box.field = GetCheck(dialog, box.id);
    GetCaptionText(dialog, IDC_UNIT_X, confirmed.unitX);
    GetCaptionText(dialog, IDC_UNIT_Y, confirmed.unitY);
    confirmed.showUnits = GetCheck(dialog, IDC_SHOW_UNITS);
    XString text;
    GetControlText(GetDlgItem(dialog, IDC_SEPARATOR), text);
    if (text.Length() > 0)
        confirmed.separator = text.buffer[0];   // an emptied field keeps the separator
    SaveSettings(confirmed);
    return true;
}

INT_PTR HandleCommand(HWND dialog, int id)
{
    HideSizeTip(dialog);   // typing, a click, anything the user does next puts it away
    switch (id) {
    case IDC_DATA_COLS:
    case IDC_DATA_ROWS:
        UpdateControlStates(dialog);
        return FALSE;
    case IDOK:
        if (StoreControls(dialog))
            EndDialog(dialog, IDOK);
        return TRUE;
    case IDCANCEL:
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    default:
        return FALSE;
    }
}

// The module's own manifest made current for a scope, so that the dialog's controls are
// those of common controls 6, whatever the host's manifest says; and the common controls
// loaded for it, for the balloon tip.
class ModuleActivationContext {
public:
    explicit ModuleActivationContext(HMODULE module)
    {
        ACTCTXA request = {};
        request.cbSize = sizeof request;
        request.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
        request.hModule = module;
        request.lpResourceName = MAKEINTRESOURCEA(2);
        context_ = CreateActCtxA(&request);
        if (context_ != INVALID_HANDLE_VALUE && !ActivateActCtx(context_, &cookie_)) {
            ReleaseActCtx(context_);
            context_ = INVALID_HANDLE_VALUE;
        }
        commonControls_ = LoadLibraryA("comctl32.dll");
        using InitProc = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
        if (auto init = reinterpret_cast<InitProc>(
                reinterpret_cast<void*>(GetProcAddress(commonControls_, "InitCommonControlsEx")))) {
            const INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
            init(&classes);
        }
    }
    ~ModuleActivationContext()
    {
        if (commonControls_)
            FreeLibrary(commonControls_);
        if (context_ == INVALID_HANDLE_VALUE)
            return;
        DeactivateActCtx(0, cookie_);
        ReleaseActCtx(context_);
    }
    ModuleActivationContext(const ModuleActivationContext&) = delete;
    ModuleActivationContext& operator=(const ModuleActivationContext&) = delete;

private:
    HANDLE context_ = INVALID_HANDLE_VALUE;
    ULONG_PTR cookie_ = 0;
    HMODULE commonControls_ = nullptr;
};

}  // namespace

int RunConfigDialog(HWND parent)
{
    ModuleActivationContext context(moduleHandle);
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
        if (message == WM_DESTROY)
            RemovePropA(dialog, kTipProperty);   // the tip itself goes with its owner
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
