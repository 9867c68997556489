// The records the host passes to the identify calls. The host owns them; the plug-in
// writes only the fields named here and leaves every other byte as the host set it.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

struct PluginInfo {
    std::uint32_t hostReserved;     // the host's own use
    std::uint32_t flags;
    std::uint32_t version;
    std::uint32_t version2;
    char* extensions;               // host buffers, filled with lstrcpynA
    char* shortName;
    char* displayName;
    char* notice;
    char* webAddress;
    std::int32_t extensionsCapacity;   // bytes including the terminating NUL
    std::int32_t shortNameCapacity;
    std::int32_t displayNameCapacity;
    std::int32_t noticeCapacity;
    std::int32_t webAddressCapacity;
    std::int32_t value1000;
    std::int32_t zero1;
    std::uint8_t untouched[24];
    std::int32_t zero2;
    GUID pluginId;
};

struct FileInfo {
    std::uint32_t hostReserved;
    std::uint32_t flags;
    std::uint16_t zero1;
    std::uint16_t zero2;
    std::int32_t width;
    std::int32_t height;
    std::int32_t bitsPerPixel;
    char* description;              // written when not null; 40 bytes suffice
};

#if defined(_WIN32) && !defined(_WIN64)
// The host is a 32-bit program: the layouts must match its byte offsets exactly.
static_assert(offsetof(PluginInfo, flags) == 4 && offsetof(PluginInfo, version) == 8 &&
              offsetof(PluginInfo, version2) == 12 && offsetof(PluginInfo, extensions) == 16 &&
              offsetof(PluginInfo, shortName) == 20 && offsetof(PluginInfo, displayName) == 24 &&
              offsetof(PluginInfo, notice) == 28 && offsetof(PluginInfo, webAddress) == 32 &&
              offsetof(PluginInfo, extensionsCapacity) == 36 && offsetof(PluginInfo, webAddressCapacity) == 52 &&
              offsetof(PluginInfo, value1000) == 56 && offsetof(PluginInfo, zero1) == 60 &&
              offsetof(PluginInfo, untouched) == 64 && offsetof(PluginInfo, zero2) == 88 &&
              offsetof(PluginInfo, pluginId) == 92 && sizeof(PluginInfo) == 108,
              "PluginInfo layout");
static_assert(offsetof(FileInfo, flags) == 4 && offsetof(FileInfo, zero1) == 8 &&
              offsetof(FileInfo, zero2) == 10 && offsetof(FileInfo, width) == 12 &&
              offsetof(FileInfo, height) == 16 && offsetof(FileInfo, bitsPerPixel) == 20 &&
              offsetof(FileInfo, description) == 24 && sizeof(FileInfo) == 28,
              "FileInfo layout");
#endif

// The four entry points, as the host calls them.
using IdentifyProc = BOOL(WINAPI*)(PluginInfo*);
using IdentifyFileProc = BOOL(WINAPI*)(DWORD, const char*, FileInfo*);
using LoadBitmapProc = HBITMAP(WINAPI*)(DWORD, const char*);
using ConfigureProc = int(WINAPI*)(HWND);

// An entry point of a loaded plug-in, as the typed function the host calls; null when absent.
template <typename Proc>
Proc FindEntryPoint(HMODULE module, const char* name)
{
    // Through void*: GetProcAddress's FARPROC has no parameters of its own.
    return reinterpret_cast<Proc>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}
