// Each exported entry point behind its guard.
#include "plugin/GuardedEntryPoints.h"

#include "plugin/BitmapRequest.h"
#include "plugin/ConfigDialog.h"
#include "plugin/Identify.h"
#include "xlib/DefaultFloatState.h"

BOOL GuardedIdentify(PluginInfo* info) noexcept
{
    DefaultFloatState floatState;
    try {
        return IdentifyPlugin(info);
    } catch (...) {
        return FALSE;
    }
}

BOOL GuardedIdentifyFile(const char* path, FileInfo* info) noexcept
{
    DefaultFloatState floatState;
    try {
        return IdentifyFile(path, info);
    } catch (...) {
        return FALSE;
    }
}

HBITMAP GuardedLoadBitmap(const char* path) noexcept
{
    DefaultFloatState floatState;
    try {
        return RenderCsvBitmap(path);
    } catch (...) {
        return nullptr;
    }
}

// The modal loop also runs the host's own windows, which keep the host's floating-point
// state: the dialog procedure sets the default state for each message it handles instead.
int GuardedConfigure(HWND parent) noexcept
{
    try {
        return RunConfigDialog(parent);
    } catch (...) {
        return 0;
    }
}
