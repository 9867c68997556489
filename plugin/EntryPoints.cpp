// What each exported entry point does, with the host's failure value when anything fails.
#include "plugin/EntryPoints.h"

#include "plugin/BitmapRequest.h"
#include "plugin/ConfigDialog.h"
#include "plugin/Identify.h"

BOOL HostIdentify(PluginInfo* info) noexcept
{
    try {
        return IdentifyPlugin(info);
    } catch (...) {
        return FALSE;
    }
}

BOOL HostIdentifyFile(const char* path, FileInfo* info) noexcept
{
    try {
        return IdentifyFile(path, info);
    } catch (...) {
        return FALSE;
    }
}

HBITMAP HostLoadBitmap(const char* path) noexcept
{
    try {
        return RenderCsvBitmap(path);
    } catch (...) {
        return nullptr;
    }
}

int HostConfigure(HWND parent) noexcept
{
    try {
        return RunConfigDialog(parent);
    } catch (...) {
        return 0;
    }
}
