// A small stand-in for the host file manager: loads a plug-in DLL by path and calls its
// entry points the way the host does, printing what comes back.
//   plughost info DLL             what the plug-in says about itself
//   plughost identify DLL FILE    whether FILE is one of its files, and the picture size
//   plughost render DLL FILE OUT  the bitmap the plug-in draws for FILE, as PNG (BMP for .bmp)
//   plughost configure DLL [--screenshot OUT]
//                                 opens the settings dialog (and with --screenshot captures
//                                 it to OUT and closes it)
// Before the command, "--set Name=Value" (repeatable) stores a setting as the dialog
// would; the stored settings are put back as they were when plughost ends.
#include "DialogCapture.h"
#include "ImageFile.h"
#include "StoredSettings.h"
#include "plugin/HostRecords.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr int kTextCapacity = 256;

int Usage()
{
    std::fprintf(stderr,
                 "usage: plughost info DLL\n"
                 "       plughost identify DLL FILE\n"
                 "       plughost render DLL FILE.csv OUT.png|OUT.bmp\n"
                 "       plughost configure DLL [--screenshot OUT.png]\n"
                 "options before the command: --set Name=Value (a stored setting, repeatable)\n");
    return 2;
}

template <typename Proc>
Proc Entry(HMODULE module, const char* name)
{
    Proc proc = FindEntryPoint<Proc>(module, name);
    if (!proc)
        std::fprintf(stderr, "plughost: the plug-in does not export %s\n", name);
    return proc;
}

void PrintGuid(const GUID& id)
{
    std::printf("{%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}\n", static_cast<unsigned long>(id.Data1),
                id.Data2, id.Data3, id.Data4[0], id.Data4[1], id.Data4[2], id.Data4[3], id.Data4[4],
                id.Data4[5], id.Data4[6], id.Data4[7]);
}

int Info(HMODULE module)
{
    auto identify = Entry<IdentifyProc>(module, "QOR_IdentifyA");
    if (!identify)
        return 1;
    char texts[5][kTextCapacity] = {};
    PluginInfo info;
    std::memset(&info, 0, sizeof info);
    info.extensions = texts[0];
    info.shortName = texts[1];
    info.displayName = texts[2];
    info.notice = texts[3];
    info.webAddress = texts[4];
    info.extensionsCapacity = info.shortNameCapacity = info.displayNameCapacity = kTextCapacity;
    info.noticeCapacity = info.webAddressCapacity = kTextCapacity;
    BOOL ok = identify(&info);
    std::printf("result:       %s\n", ok ? "TRUE" : "FALSE");
    std::printf("extensions:   %s\n", info.extensions);
    std::printf("short name:   %s\n", info.shortName);
    std::printf("display name: %s\n", info.displayName);
    std::printf("notice:       %s\n", info.notice);
    std::printf("web address:  %s\n", info.webAddress);
    std::printf("flags:        0x%lX\n", static_cast<unsigned long>(info.flags));
    std::printf("versions:     0x%lX 0x%lX\n", static_cast<unsigned long>(info.version),
                static_cast<unsigned long>(info.version2));
    std::printf("guid:         ");
    PrintGuid(info.pluginId);
    return ok ? 0 : 1;
}

int Identify(HMODULE module, const char* file)
{
    auto identifyFile = Entry<IdentifyFileProc>(module, "QOR_IdentifyFileA");
    if (!identifyFile)
        return 1;
    char description[kTextCapacity] = {};
    FileInfo info;
    std::memset(&info, 0, sizeof info);
    info.description = description;
    if (!identifyFile(0, file, &info)) {
        std::printf("%s: not a file of this plug-in\n", file);
        return 1;
    }
    std::printf("%s: %s\n", file, description);
    std::printf("flags:        %lu\n", static_cast<unsigned long>(info.flags));
    std::printf("picture:      %ld x %ld pixels, %ld bits per pixel\n", static_cast<long>(info.width),
                static_cast<long>(info.height), static_cast<long>(info.bitsPerPixel));
    return 0;
}

int Render(HMODULE module, const char* file, const char* out)
{
    auto loadBitmap = Entry<LoadBitmapProc>(module, "QOR_LoadBitmapA");
    if (!loadBitmap)
        return 1;
    HBITMAP bitmap = loadBitmap(0, file);
    if (!bitmap) {
        std::printf("%s: no bitmap\n", file);
        return 1;
    }
    BitmapPixels pixels;
    bool read = ReadBitmapPixels(bitmap, pixels);
    DeleteObject(bitmap);   // the host owns the bitmap it was given
    if (!read) {
        std::fprintf(stderr, "plughost: cannot read the bitmap's pixels\n");
        return 1;
    }
    std::string error;
    if (!WriteImageFile(pixels, out, error)) {
        std::fprintf(stderr, "plughost: %s\n", error.c_str());
        return 1;
    }
    std::printf("%s: %d x %d pixels written to %s\n", file, pixels.width, pixels.height, out);
    return 0;
}

int Configure(HMODULE module, const char* screenshot)
{
    auto configure = Entry<ConfigureProc>(module, "QOR_Configure");
    if (!configure)
        return 1;
    int result = 0;
    if (!screenshot) {
        result = configure(nullptr);
        std::printf("QOR_Configure returned %d\n", result);
        return 0;
    }
    const bool captured = CaptureDialog(screenshot, [&] { result = configure(nullptr); });
    std::printf("QOR_Configure returned %d\n", result);
    if (!captured) {
        std::fprintf(stderr, "plughost: the dialog did not show (is there a display?)\n");
        return 1;
    }
    std::printf("dialog captured to %s\n", screenshot);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    StoredSettings settings;
    int first = 1;
    while (first + 1 < argc && std::strcmp(argv[first], "--set") == 0) {
        if (!settings.Set(argv[first + 1])) {
            std::fprintf(stderr, "plughost: cannot store the setting %s\n", argv[first + 1]);
            return 1;
        }
        first += 2;
    }
    int count = argc - first;
    char** args = argv + first;
    if (count < 2)
        return Usage();
    const char* command = args[0];
    const char* dll = args[1];
    bool isInfo = std::strcmp(command, "info") == 0 && count == 2;
    bool isIdentify = std::strcmp(command, "identify") == 0 && count == 3;
    bool isRender = std::strcmp(command, "render") == 0 && count == 4;
    bool isConfigure = std::strcmp(command, "configure") == 0 &&
                       (count == 2 || (count == 4 && std::strcmp(args[2], "--screenshot") == 0));
    if (!isInfo && !isIdentify && !isRender && !isConfigure)
        return Usage();

    HMODULE module = LoadLibraryA(dll);
    if (!module) {
        std::fprintf(stderr, "plughost: cannot load %s (error %lu)\n", dll, static_cast<unsigned long>(GetLastError()));
        return 1;
    }
    int status = isInfo       ? Info(module)
                 : isIdentify ? Identify(module, args[2])
                 : isRender   ? Render(module, args[2], args[3])
                              : Configure(module, count == 4 ? args[3] : nullptr);
    FreeLibrary(module);
    return status;
}
