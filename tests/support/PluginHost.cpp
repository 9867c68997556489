// The plug-in DLL loaded the way the host loads it, and its bitmaps read back as pixels.
#include "tests/support/PluginHost.h"

#include "tests/support/TestFiles.h"

PluginHost::PluginHost() : module_(LoadLibraryA(PluginDllPath().c_str()))
{
    if (module_)
        loadBitmap_ = FindEntryPoint<LoadBitmapProc>(module_, "QOR_LoadBitmapA");
}

PluginHost::~PluginHost()
{
    if (module_)
        FreeLibrary(module_);
}

HBITMAP PluginHost::LoadBitmap(const std::string& path) const
{
    return loadBitmap_ ? loadBitmap_(0, path.c_str()) : nullptr;
}

bool PluginHost::Render(const std::string& path, BitmapPixels& pixels) const
{
    HBITMAP bitmap = LoadBitmap(path);
    if (!bitmap)
        return false;
    bool read = ReadBitmapPixels(bitmap, pixels);
    DeleteObject(bitmap);
    return read;
}

COLORREF PixelAt(const BitmapPixels& pixels, int x, int y)
{
    const BYTE* p = &pixels.bgrx[(static_cast<size_t>(y) * pixels.width + x) * 4];
    return RGB(p[2], p[1], p[0]);
}

std::vector<int> FrameRows(const BitmapPixels& pixels)
{
    std::vector<int> rows;
    for (int y = 0; y < pixels.height; ++y) {
        int run = 0;
        for (int x = 150; x < 250 && x < pixels.width && PixelAt(pixels, x, y) == 0; ++x)
            ++run;
        if (run == 100)
            rows.push_back(y);
    }
    return rows;
}

BitmapPixels LoadedPlugin::Rendered(const std::string& path)
{
    BitmapPixels pixels;
    EXPECT_TRUE(host.Render(path, pixels)) << path;
    return pixels;
}

BitmapPixels LoadedPlugin::RenderedBytes(const std::string& bytes)
{
    TempFile file(bytes);
    return Rendered(file.Path());
}
