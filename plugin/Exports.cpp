// The DLL boundary: the loader notification and the four entry points the host calls.
// No C++ exception may cross it: the host is not C++, and an escaping exception ends it.
#include "plugin/GuardedEntryPoints.h"
#include "plugin/PluginSettings.h"
#include "plugin/SettingsStore.h"
#include "plugin/UnwindTables.h"
#include "xlib/DefaultFloatState.h"
#include "xlib/XLineReader.h"

namespace __gnu_cxx {
// Frees what the statically linked C++ runtime allocated for itself (the emergency pool for
// exceptions thrown when memory runs out, about 72 KB), which nothing else frees: a host
// that loads and unloads the plug-in would lose that much on every unload.
void __freeres() noexcept;
}

extern "C" {

// Every notification, thread attach and detach included, re-reads the settings: registry
// reads, which load no library and take no lock of the loader's, and the settings store's
// own lock, which no holder keeps while it waits for the loader. A terminating process
// (process detach with reserved set) gets none: its other threads are gone, and the
// settings would be read for nobody.
BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    moduleHandle = instance;
    if (reason == DLL_PROCESS_DETACH && reserved)
        return TRUE;
    if (reason == DLL_PROCESS_ATTACH)
        EnsureOwnUnwindTables();
    DefaultFloatState floatState;
    try {
        LoadSettings();
    } catch (...) {
        // Out of memory while reading: the published settings stay as they were.
    }
    if (reason == DLL_PROCESS_DETACH) {
        XLineReader::ReleaseKeptBlocks();
        ReleaseOwnUnwindTables();
        __gnu_cxx::__freeres();
    }
    return TRUE;
}

BOOL WINAPI QOR_IdentifyA(PluginInfo* info)
{
    return GuardedIdentify(info);
}

BOOL WINAPI QOR_IdentifyFileA(DWORD /*hostValue*/, const char* path, FileInfo* info)
{
    return GuardedIdentifyFile(path, info);
}

HBITMAP WINAPI QOR_LoadBitmapA(DWORD /*hostValue*/, const char* path)
{
    return GuardedLoadBitmap(path);
}

int WINAPI QOR_Configure(HWND parent)
{
    return GuardedConfigure(parent);
}

}  // extern "C"
