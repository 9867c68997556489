// The two identify calls.
#include "plugin/Identify.h"

#include "plugin/PluginSettings.h"
#include "plugin/Version.h"
#include "xlib/XString.h"

namespace {

constexpr DWORD kPluginFlags = 0x4E0;
constexpr DWORD kFileFlags = 7;
constexpr DWORD kVersion = 0x10000;   // 1.0
constexpr int kBitsPerPixel = 24;

constexpr char kExtensions[] = ".csv";
constexpr char kShortName[] = "CSV";
constexpr char kDisplayName[] = CSVCHART_PRODUCT;
constexpr char kNotice[] = "CSV chart viewer plug-in " CSVCHART_VERSION_TEXT;
constexpr char kWebAddress[] = "https://csvchart.invalid/";
constexpr GUID kPluginId = {0x5c3b9a41, 0x7e2d, 0x4f16, {0x9b, 0x0a, 0x3d, 0x61, 0xc8, 0x24, 0xe5, 0x7f}};

// A host buffer that is missing or has no room is left alone.
void CopyToHostBuffer(char* buffer, int capacity, const char* text)
{
    if (buffer && capacity > 0)
        lstrcpynA(buffer, text, capacity);
}

}  // namespace

bool IsCsvPath(const char* path)
{
    if (!path)
        return false;
    XString text(path);
    XString extension;
    GetExtension(text, extension);
    extension.MakeUpper();
    return extension.Equals(".CSV") == 1;
}

BOOL IdentifyPlugin(PluginInfo* info)
{
    if (!info)
        return FALSE;
    info->flags = kPluginFlags;
    info->version = kVersion;
    info->version2 = kVersion;
    CopyToHostBuffer(info->extensions, info->extensionsCapacity, kExtensions);
    CopyToHostBuffer(info->shortName, info->shortNameCapacity, kShortName);
    CopyToHostBuffer(info->displayName, info->displayNameCapacity, kDisplayName);
    CopyToHostBuffer(info->notice, info->noticeCapacity, kNotice);
    CopyToHostBuffer(info->webAddress, info->webAddressCapacity, kWebAddress);
    info->value1000 = 1000;
    info->zero1 = 0;
    info->zero2 = 0;
    info->pluginId = kPluginId;
    return TRUE;
}

BOOL IdentifyFile(const char* path, FileInfo* info)
{
    if (!info || !IsCsvPath(path))
        return FALSE;
    const SettingsRecord settings = PluginSettings();
    info->flags = kFileFlags;
    info->zero1 = 0;
    info->zero2 = 0;
    info->width = settings.width;
    info->height = settings.height;
    info->bitsPerPixel = kBitsPerPixel;
    if (info->description)
        wsprintfA(info->description, "%ld x %ld x %ld CSV Data", static_cast<long>(settings.width),
                  static_cast<long>(settings.height), static_cast<long>(kBitsPerPixel));
    return TRUE;
}
