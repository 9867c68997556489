// The DLL boundary: the loader notification and the four entry points the host calls.
// No C++ exception may cross it: the host is not C++, and an escaping exception ends it.
#include "plugin/BitmapRequest.h"
#include "plugin/HostRecords.h"
#include "plugin/Identify.h"
#include "plugin/PluginSettings.h"

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD /*reason*/, LPVOID /*reserved*/)
{
    moduleHandle = instance;
    return TRUE;
}

BOOL WINAPI QOR_IdentifyA(PluginInfo* info)
{
    try {
        return IdentifyPlugin(info);
    } catch (...) {
        return FALSE;
    }
}

BOOL WINAPI QOR_IdentifyFileA(DWORD /*hostValue*/, const char* path, FileInfo* info)
{
    try {
        return IdentifyFile(path, info);
    } catch (...) {
        return FALSE;
    }
}

HBITMAP WINAPI QOR_LoadBitmapA(DWORD /*hostValue*/, const char* path)
{
    try {
        return RenderCsvBitmap(path);
    } catch (...) {
        return nullptr;
    }
}

// The settings dialog is not built yet: nothing to show.
int WINAPI QOR_Configure(HWND /*parent*/)
{
    return 0;
}

}  // extern "C"
