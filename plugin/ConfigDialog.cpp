// The settings dialog: every field of the settings but the colours, OK stores and saves.
#include "plugin/ConfigDialog.h"

#include "plugin/BitmapRequest.h"
#include "plugin/PluginSettings.h"
#include "plugin/SettingsStore.h"
#include "plugin/SettingsTable.h"
#include "plugin/resource.h"
#include "xlib/DefaultFloatState.h"
#include "xlib/XMemory.h"
#include "xlib/XString.h"

#include <commctrl.h>

namespace {

void SetCheck(HWND dialog, int id, int value)
{
    SendDlgItemMessageA(dialog, id, BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
}

int GetCheck(HWND dialog, int id)
{
    return id != 0 && SendDlgItemMessageA(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
}

void SetNumberText(HWND dialog, int id, int value)
{
    XString text;
    text.SetInt(value);
    SetDlgItemTextA(dialog, id, text.Text());
}

void FillControl(HWND dialog, const Setting& setting, const SettingsRecord& settings)
{
    switch (setting.kind) {
    case SettingKind::Switch:
        SetCheck(dialog, setting.control, settings.*setting.number);
        return;
    case SettingKind::Number:
        SetNumberText(dialog, setting.control, settings.*setting.number);
        return;
    case SettingKind::Caption:
        // Text beyond what the registry gives back would be lost on the next reload.
        SendDlgItemMessageA(dialog, setting.control, EM_LIMITTEXT, kLongestCaption, 0);
        break;
    case SettingKind::Character:
        break;
    }
    SetDlgItemTextA(dialog, setting.control, SettingText(setting, settings).c_str());
}

void FillControls(HWND dialog)
{
    const SettingsRecord settings = PluginSettings();
    for (const Setting& setting : AllSettings())
        FillControl(dialog, setting, settings);
    UpdateControlStates(dialog);
}

// Number fields have strtol semantics ("800px" gives 800, "abc" 0); an emptied character
// field keeps the character.
void StoreControl(HWND dialog, const Setting& setting, SettingsRecord& confirmed)
{
    if (setting.kind == SettingKind::Switch) {
        confirmed.*setting.number = GetCheck(dialog, setting.control);
        return;
    }
    XString text;
    GetControlText(GetDlgItem(dialog, setting.control), text);
    if (setting.kind == SettingKind::Number)
        confirmed.*setting.number = static_cast<int>(text.ToInt());
    else
        SetSettingText(setting, confirmed, text.Text());
}

// Whether the field's text starts with a number, as strtol reads one.
bool StartsWithNumber(HWND dialog, int id)
{
    XString text;
    GetControlText(GetDlgItem(dialog, id), text);
    const char* p = text.Text();
    while (*p == ' ' || (*p >= '\t' && *p <= '\r'))
        ++p;
    if (*p == '+' || *p == '-')
        ++p;
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

// The size field to refuse, or 0: the first one that is not a number or not within the
// sides' range, else the height when the area is too large.
int RefusedSizeField(HWND dialog, const SettingsRecord& confirmed)
{
    if (!StartsWithNumber(dialog, IDC_WIDTH) || !IsDrawableSize(confirmed.width, 1))
        return IDC_WIDTH;
    if (!StartsWithNumber(dialog, IDC_HEIGHT) || !IsDrawableSize(confirmed.width, confirmed.height))
        return IDC_HEIGHT;
    return 0;
}

// Every value is stored, greyed controls included, into one record that is then published
// and saved as a whole. False, with nothing stored, when a size is refused.
bool StoreControls(HWND dialog)
{
    SettingsRecord confirmed = PluginSettings();
    for (const Setting& setting : AllSettings())
        StoreControl(dialog, setting, confirmed);
    if (int refused = RefusedSizeField(dialog, confirmed)) {
        RefuseSizeField(dialog, refused);
        return false;
    }
    SaveSettings(confirmed);
    return true;
}

INT_PTR HandleCommand(HWND dialog, int id)
{
    HideSizeTip(dialog);   // typing, a click, anything the user does next puts it away
    switch (id) {
    case IDOK:
        if (StoreControls(dialog))
            EndDialog(dialog, IDOK);
        return TRUE;
    case IDCANCEL:
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    default:
        UpdateControlStates(dialog);   // a click may have ticked a box that greys others
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
    for (const Setting& setting : AllSettings()) {
        const GreyedWhile& boxes = setting.greyedWhile;
        const bool greyed = GetCheck(dialog, boxes.box1) || GetCheck(dialog, boxes.box2);
        EnableWindow(GetDlgItem(dialog, setting.control), !greyed);
    }
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
